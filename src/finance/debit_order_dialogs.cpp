#include "finance/debit_order_dialogs.h"

#include "common/application.h"
#include "finance/debit_orders_window.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"

namespace {
constexpr int DescriptionLength = 30;
constexpr int AmountLength = 10;

// The fields of a debit-order window, placed at the given left edge of the
// pickers and boxes and the tops of its four rows; the labels at 120.
struct Fields {
    Label* startLabel;
    DatePicker* start;
    Label* endLabel;
    DatePicker* end;
    Label* descriptionLabel;
    TextBox* description;
    Label* amountLabel;
    TextBox* amount;
};
Fields buildFields(Form* form, int left, const int (&tops)[4], int amountWidth, const QString& descriptionLabel,
                   const QString& amountLabel, const QDate& start, const QDate& end, const QString& description,
                   const QString& amount) {
    auto label = [&](const QString& name, const QString& caption, int top) {
        auto* l = new Label(form, name, caption);
        l->Move(120, top + 45, left - 180, 255);
        return l;
    };
    auto picker = [&](const QString& name, const QDate& value, int top) {
        auto* p = new DatePicker(form, name);
        p->Move(left, top, 1455, 315);
        p->setValue(value);
        return p;
    };
    auto box = [&](const QString& name, const QString& text, int maxLength, int top, int width) {
        auto* b = new TextBox(form, name, text);
        b->Move(left, top, width, 315);
        b->setMaxLength(maxLength);
        return b;
    };
    Fields f{};
    f.startLabel = label(QStringLiteral("Label1"), QStringLiteral("Start Date:"), tops[0]);
    f.start = picker(QStringLiteral("DTPicker1"), start, tops[0]);
    f.endLabel = label(QStringLiteral("Label2"), QStringLiteral("End Date:"), tops[1]);
    f.end = picker(QStringLiteral("DTPicker2"), end, tops[1]);
    f.descriptionLabel = label(descriptionLabel, QStringLiteral("Description:"), tops[2]);
    f.description = box(QStringLiteral("Text1"), description, DescriptionLength, tops[2], 3255);
    f.amountLabel = label(amountLabel, QStringLiteral("Amount:"), tops[3]);
    f.amount = box(QStringLiteral("Text2"), amount, AmountLength, tops[3], amountWidth);
    return f;
}

// The tests of a typed debit order, in order; the first that fails is told.
// Both windows share them but for the words on a start after the end.
bool passesEntryTests(const DatePicker& start, const DatePicker& end, const TextBox& description,
                      const TextBox& amount, const QString& startAfterEnd) {
    QString failure;
    if (start.Value().day() != end.Value().day())
        failure = QStringLiteral("The Debit Order must be on the same day each month");
    else if (start.Value() > end.Value())
        failure = startAfterEnd;
    else if (description.Text().isEmpty() || amount.Text().isEmpty())
        failure = QStringLiteral("Form Incomplete");
    else if (!Money::parse(amount.Text()))
        failure = FinModule::notAnAmountMessage(amount.Text());
    if (failure.isEmpty()) return true;
    app().message(failure);
    return false;
}

// Every way out of a debit-order window that does not stay open: the finance
// window takes input again and the Debit Orders window comes forward.
void backToDebitOrders() {
    app().window<FinMDIForm1>().setEnabled(true);
    app().window<FinForm9>().Show();
}
}  // namespace

FinForm8::FinForm8() : Form(QStringLiteral("FinForm8")) {
    setFrame(Border::FixedTool, true);
    setCaption(QStringLiteral("Add Debit Order"));
    setClientSize(5535, 3195);
    const Fields f = buildFields(this, 2040, {240, 720, 1560, 2040}, 975, QStringLiteral("Label4"),
                                 QStringLiteral("Label3"), QDate(2001, 1, 8), QDate(2001, 1, 8), QString(), QString());
    Label1 = f.startLabel;
    DTPicker1 = f.start;
    Label2 = f.endLabel;
    DTPicker2 = f.end;
    Label4 = f.descriptionLabel;
    Text1 = f.description;
    Label3 = f.amountLabel;
    Text2 = f.amount;
    Command1 = new CommandButton(this, QStringLiteral("Command1"), QStringLiteral("Enter"));
    Command1->Move(360, 2640, 1095, 375);
    Command2 = new CommandButton(this, QStringLiteral("Command2"), QStringLiteral("Cancel"));
    Command2->Move(1680, 2640, 1095, 375);
    connect(Command1, &CommandButton::Click, this, &FinForm8::Command1_Click);
    connect(Command2, &CommandButton::Click, this, &FinForm8::Command2_Click);
}

// A failed test leaves the window open and the finance window locked. A
// taken description is refused by the add, and the window closes all the same.
void FinForm8::Command1_Click() {
    if (!passesEntryTests(*DTPicker1, *DTPicker2, *Text1, *Text2, QStringLiteral("End Date must be after the Start Date!")))
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

void FinForm8::Form_Unload() { backToDebitOrders(); }

FinDialog3::FinDialog3() : Form(QStringLiteral("FinDialog3")) {
    setFrame(Border::Fixed, true);
    setCaption(QStringLiteral("Edit Debit Order"));
    setClientSize(6015, 2595);
    const Fields f = buildFields(this, 1320, {480, 960, 1560, 2040}, 1815, QStringLiteral("Label3"),
                                 QStringLiteral("Label4"), QDate(2001, 1, 4), QDate(2001, 1, 8),
                                 QStringLiteral("Description"), QStringLiteral("100"));
    Label1 = f.startLabel;
    DTPicker1 = f.start;
    Label2 = f.endLabel;
    DTPicker2 = f.end;
    Label3 = f.descriptionLabel;
    Text1 = f.description;
    Label4 = f.amountLabel;
    Text2 = f.amount;
    OKButton = new CommandButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"));
    OKButton->Move(4680, 120, 1215, 375);
    CancelButton = new CommandButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    CancelButton->Move(4680, 600, 1215, 375);
    connect(OKButton, &CommandButton::Click, this, &FinDialog3::OKButton_Click);
    connect(CancelButton, &CommandButton::Click, this, &FinDialog3::CancelButton_Click);
}

void FinDialog3::OKButton_Click() {
    if (!passesEntryTests(*DTPicker1, *DTPicker2, *Text1, *Text2,
                          QStringLiteral("The Start Date must be before the End Date!")))
        return;
    FinModule::SaveEditedDebitOrder();
    hide();
    backToDebitOrders();
}

void FinDialog3::CancelButton_Click() {
    hide();
    backToDebitOrders();
}

void FinDialog3::Form_Unload() { backToDebitOrders(); }
