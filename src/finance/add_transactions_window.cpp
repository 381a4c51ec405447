#include "finance/add_transactions_window.h"

#include <QPointer>

#include "common/application.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"
#include "finance/notice_window.h"

namespace {
constexpr int LabelLeft = 240;
constexpr int FieldLeft = 2160;
constexpr int FieldWidth = 3015;
}  // namespace

FinForm6::FinForm6() : MdiChildForm(QStringLiteral("FinForm6"), app().window<FinMDIForm1>()) {
    setCaption(QStringLiteral("Add Transactions"));

    Command3 = new CommandButton(this, QStringLiteral("Command3"), QStringLiteral("Inter Account Transfers"));
    Command3->Move(120, 120, 2415, 375);

    auto label = [](Frame* frame, const QString& name, const QString& caption, int top) {
        auto* l = new Label(frame, name, caption);
        l->Move(LabelLeft, top + 45, FieldLeft - LabelLeft - 60, 255);
        return l;
    };
    auto list = [](Frame* frame, const QString& name, int top) {
        auto* c = new ComboBox(frame, name, ComboBox::Style::DropdownList);
        c->Move(FieldLeft, top, FieldWidth, 315);
        return c;
    };
    auto enterButton = [](Frame* frame, const QString& name, int top) {
        auto* b = new CommandButton(frame, name, QStringLiteral("Enter Transaction"));
        b->Move(FieldLeft, top, 1815, 375);
        return b;
    };

    Frame1 = new Frame(this, QStringLiteral("Frame1"), QStringLiteral("Basic Transactions"));
    Frame1->Move(120, 600, 5415, 2895);
    Label1 = label(Frame1, QStringLiteral("Label1"), QStringLiteral("Select Account:"), 360);
    Combo1[0] = list(Frame1, QStringLiteral("Combo1(0)"), 360);
    Label2 = label(Frame1, QStringLiteral("Label2"), QStringLiteral("Select Category:"), 780);
    Combo2 = list(Frame1, QStringLiteral("Combo2"), 780);
    Label3 = label(Frame1, QStringLiteral("Label3"), QStringLiteral("Description:"), 1200);
    Text1 = new TextBox(Frame1, QStringLiteral("Text1"), QStringLiteral("Description"));
    Text1->Move(FieldLeft, 1200, FieldWidth, 315);
    Text1->setMaxLength(30);
    Label4 = label(Frame1, QStringLiteral("Label4"), QStringLiteral("Amount:"), 1620);
    Text2[0] = new TextBox(Frame1, QStringLiteral("Text2(0)"), QStringLiteral("100"));
    Text2[0]->Move(FieldLeft, 1620, 1215, 315);
    Option1 = new OptionButton(Frame1, QStringLiteral("Option1"), QStringLiteral("Income"));
    Option1->Move(3480, 1620, 855, 315);
    Option2 = new OptionButton(Frame1, QStringLiteral("Option2"), QStringLiteral("Expence"));
    Option2->Move(4380, 1620, 975, 315);
    Option2->setValue(true);
    Label5 = label(Frame1, QStringLiteral("Label5"), QStringLiteral("Date:"), 2040);
    DTPicker1[0] = new DatePicker(Frame1, QStringLiteral("DTPicker1(0)"));
    DTPicker1[0]->Move(FieldLeft, 2040, 1455, 315);
    Command1 = enterButton(Frame1, QStringLiteral("Command1"), 2400);

    Frame2 = new Frame(this, QStringLiteral("Frame2"), QStringLiteral("Inter Account Transfers"));
    Frame2->Move(120, 600, 5415, 2895);
    Label6 = label(Frame2, QStringLiteral("Label6"), QStringLiteral("Select From Account:"), 360);
    Combo1[1] = list(Frame2, QStringLiteral("Combo1(1)"), 360);
    Label8 = label(Frame2, QStringLiteral("Label8"), QStringLiteral("Select To Account:"), 780);
    Combo1[2] = list(Frame2, QStringLiteral("Combo1(2)"), 780);
    Label10 = label(Frame2, QStringLiteral("Label10"), QStringLiteral("Amount:"), 1200);
    Text2[1] = new TextBox(Frame2, QStringLiteral("Text2(1)"), QStringLiteral("100"));
    Text2[1]->Move(FieldLeft, 1200, 1215, 315);
    Text2[1]->setMaxLength(10);
    Label7 = label(Frame2, QStringLiteral("Label7"), QStringLiteral("Date:"), 1620);
    DTPicker1[1] = new DatePicker(Frame2, QStringLiteral("DTPicker1(1)"));
    DTPicker1[1]->Move(FieldLeft, 1620, 1455, 315);
    Command2 = enterButton(Frame2, QStringLiteral("Command2"), 2400);
    Frame2->setVisibleFlag(false);

    connect(Command1, &CommandButton::Click, this, &FinForm6::Command1_Click);
    connect(Command2, &CommandButton::Click, this, &FinForm6::Command2_Click);
    connect(Command3, &CommandButton::Click, this, &FinForm6::Command3_Click);
    showCreated(5655, 3615);
}

// The toggle names the panel that it switches to.
void FinForm6::Command3_Click() {
    const bool toBasic = Command3->Caption() == QLatin1String("Basic Transactions");
    Frame1->setVisibleFlag(toBasic);
    Frame2->setVisibleFlag(!toBasic);
    Command3->setCaption(toBasic ? QStringLiteral("Inter Account Transfers") : QStringLiteral("Basic Transactions"));
}

bool FinForm6::showNotice() {
    FinForm7& notice = app().window<FinForm7>();
    notice.showOver(*this);
    app().clock().pause(0.5);
    if (FinForm7* still = app().existingWindow<FinForm7>()) still->hide();
    return FinModule::vars().PortfolioOpen && !app().ending();
}

// An entry that passes its checks is noticed, then recorded as the window
// holds it after the notice.
void FinForm6::Command1_Click() {
    if (!FinModule::CheckTransactionEntry()) return;
    const QPointer<FinForm6> self(this);
    if (showNotice() && self) FinModule::AddTransaction();
}

void FinForm6::Command2_Click() {
    if (!FinModule::CheckTransferEntry()) return;
    const QPointer<FinForm6> self(this);
    if (showNotice() && self) FinModule::AddTransfer();
}
