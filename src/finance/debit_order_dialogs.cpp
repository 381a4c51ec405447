#include "finance/debit_order_dialogs.h"

#include "common/application.h"
#include "finance/debit_order_occurrences.h"
#include "finance/debit_orders_window.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"

namespace {
constexpr int DescriptionLength = 30;
constexpr int AmountLength = 10;
}  // namespace

DebitOrderForm::DebitOrderForm(const QString& name, const QString& caption, const Layout& layout,
                               const Initial& initial)
    : Form(name) {
    setCaption(caption);
    auto label = [&](const QString& labelName, const QString& text, int top) {
        auto* l = new Label(this, labelName, text);
        l->Move(120, top + 45, layout.left - 180, 255);
        return l;
    };
    auto picker = [&](const QString& pickerName, const QDate& value, int top) {
        auto* p = new DatePicker(this, pickerName);
        p->Move(layout.left, top, 1455, 315);
        p->setValue(value);
        return p;
    };
    auto box = [&](const QString& boxName, const QString& text, int maxLength, int top, int width) {
        auto* b = new TextBox(this, boxName, text);
        b->Move(layout.left, top, width, 315);
        b->setMaxLength(maxLength);
        return b;
    };
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Start Date:"), layout.tops[0]);
    DTPicker1 = picker(QStringLiteral("DTPicker1"), initial.start, layout.tops[0]);
    setFirstInput(DTPicker1);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("End Date:"), layout.tops[1]);
    DTPicker2 = picker(QStringLiteral("DTPicker2"), initial.end, layout.tops[1]);
    Label* description = label(layout.descriptionIsLabel3 ? QStringLiteral("Label3") : QStringLiteral("Label4"),
                               QStringLiteral("Description:"), layout.tops[2]);
    Text1 = box(QStringLiteral("Text1"), initial.description, DescriptionLength, layout.tops[2], 3255);
    Label* amount = label(layout.descriptionIsLabel3 ? QStringLiteral("Label4") : QStringLiteral("Label3"),
                          QStringLiteral("Amount:"), layout.tops[3]);
    Text2 = box(QStringLiteral("Text2"), initial.amount, AmountLength, layout.tops[3], layout.amountWidth);
    Label3 = layout.descriptionIsLabel3 ? description : amount;
    Label4 = layout.descriptionIsLabel3 ? amount : description;
}

bool DebitOrderForm::passesEntryTests(const QString& startAfterEnd) const {
    QString failure;
    // The end is the day of the last payment: one of the order's own payment days.
    const QDate start = DTPicker1->Value(), end = DTPicker2->Value();
    if (end.day() != FinModule::DebitOrderPaymentDay(start.day(), end.year(), end.month()))
        failure = QStringLiteral("The Debit Order must be on the same day each month");
    else if (start > end)
        failure = startAfterEnd;
    else if (Text1->Text().isEmpty() || Text2->Text().isEmpty())
        failure = QStringLiteral("Form Incomplete");
    else if (!Money::parse(Text2->Text()))
        failure = FinModule::notAnAmountMessage(Text2->Text());
    if (failure.isEmpty()) return true;
    app().message(failure);
    return false;
}

void DebitOrderForm::backToDebitOrders() {
    app().window<FinMDIForm1>().unlock();
    app().window<FinForm9>().Show();
}

FinForm8::FinForm8()
    : DebitOrderForm(QStringLiteral("FinForm8"), QStringLiteral("Add Debit Order"), {2040, {240, 720, 1560, 2040}, 975, false},
                     {QDate(2001, 1, 8), QDate(2001, 1, 8), QString(), QString()}) {
    setFrame(Border::FixedTool, true);
    setClientSize(5535, 3195);
    Command1 = new CommandButton(this, QStringLiteral("Command1"), QStringLiteral("Enter"));
    Command1->Move(360, 2640, 1095, 375);
    Command2 = new CommandButton(this, QStringLiteral("Command2"), QStringLiteral("Cancel"));
    Command2->Move(1680, 2640, 1095, 375);
    connect(Command1, &CommandButton::Click, this, &FinForm8::Command1_Click);
    connect(Command2, &CommandButton::Click, this, &FinForm8::Command2_Click);
}

// A failed test, or an entry the add would refuse for its text, its amount
// or the account's sums, leaves the window open and the finance window
// locked. A taken description is refused by the add, and the window closes
// all the same.
void FinForm8::Command1_Click() {
    if (!passesEntryTests(QStringLiteral("End Date must be after the Start Date!")) ||
        !FinModule::CheckDebitOrderEntry())
        return;
    FinModule::AddDebitOrder();
    FinModule::RefreshAccountBalances();
    hide();
    backToDebitOrders();
}

void FinForm8::Command2_Click() {
    hide();
    backToDebitOrders();
}

FinDialog3::FinDialog3()
    : DebitOrderForm(QStringLiteral("FinDialog3"), QStringLiteral("Edit Debit Order"),
                     {1320, {480, 960, 1560, 2040}, 1815, true},
                     {QDate(2001, 1, 4), QDate(2001, 1, 8), QStringLiteral("Description"), QStringLiteral("100")}) {
    setFrame(Border::FixedDialog, true);
    setClientSize(6015, 2595);
    OKButton = new CommandButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"));
    OKButton->Move(4680, 120, 1215, 375);
    CancelButton = new CommandButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    CancelButton->Move(4680, 600, 1215, 375);
    connect(OKButton, &CommandButton::Click, this, &FinDialog3::OKButton_Click);
    connect(CancelButton, &CommandButton::Click, this, &FinDialog3::CancelButton_Click);
}

// Likewise an edit that the save would refuse stays open.
void FinDialog3::OKButton_Click() {
    if (!passesEntryTests(QStringLiteral("The Start Date must be before the End Date!")) ||
        !FinModule::CheckEditedDebitOrder())
        return;
    FinModule::SaveEditedDebitOrder();
    hide();
    backToDebitOrders();
}

void FinDialog3::CancelButton_Click() {
    hide();
    backToDebitOrders();
}
