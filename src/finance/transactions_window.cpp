#include "finance/transactions_window.h"

#include <QPointer>

#include "common/application.h"
#include "finance/add_transactions_window.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"

FinForm1::FinForm1() : MdiChildForm(QStringLiteral("FinForm1"), app().window<FinMDIForm1>()) {
    setCaption(QStringLiteral("Transactions"));

    Frame1 = new Frame(this, QStringLiteral("Frame1"));
    Frame1->Move(60, 60, 6855, 3015);
    Combo1 = new ComboBox(Frame1, QStringLiteral("Combo1"), ComboBox::Style::DropdownCombo);
    Combo1->Move(120, 240, 2415, 315);
    Combo1->setText(QStringLiteral("Account"));
    Combo2 = new ComboBox(Frame1, QStringLiteral("Combo2"), ComboBox::Style::DropdownCombo);
    Combo2->Move(2640, 240, 2415, 315);
    Combo2->setText(QStringLiteral("Category"));
    DTPicker1 = new DatePicker(Frame1, QStringLiteral("DTPicker1"));
    DTPicker1->Move(120, 660, 1455, 315);
    Label4 = new Label(Frame1, QStringLiteral("Label4"), QStringLiteral("to"));
    Label4->Move(1680, 705, 255, 255);
    DTPicker2 = new DatePicker(Frame1, QStringLiteral("DTPicker2"));
    DTPicker2->Move(2040, 660, 1455, 315);
    auto button = [this](const QString& name, const QString& caption, int left) {
        auto* b = new CommandButton(Frame1, name, caption);
        b->Move(left, 630, 855, 375);
        return b;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Add"), 3720);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("Edit"), 4680);
    Command2->setEnabled(false);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("Delete"), 5640);
    Command3->setEnabled(false);

    MSFlexGrid1 = new FlexGrid(this, QStringLiteral("MSFlexGrid1"), 2, 6, 1, 0);
    MSFlexGrid1->Move(180, 1200, 6615, 1695);

    connect(Combo1, &ComboBox::Click, this, &FinForm1::Combo1_Click);
    connect(Combo2, &ComboBox::Click, this, &FinForm1::Combo2_Click);
    connect(DTPicker1, &DatePicker::Change, this, &FinForm1::DTPicker1_Change);
    connect(DTPicker2, &DatePicker::Change, this, &FinForm1::DTPicker2_Change);
    connect(Command1, &CommandButton::Click, this, &FinForm1::Command1_Click);
    connect(Command2, &CommandButton::Click, this, &FinForm1::Command2_Click);
    connect(Command3, &CommandButton::Click, this, &FinForm1::Command3_Click);
    connect(MSFlexGrid1, &FlexGrid::Click, this, &FinForm1::MSFlexGrid1_Click);
    connect(MSFlexGrid1, &FlexGrid::LostFocus, this, &FinForm1::MSFlexGrid1_LostFocus);
    showCreated(7215, 3255);
}

void FinForm1::Form_Load() { FinModule::RefreshPortfolioLists(); }

void FinForm1::Combo1_Click() { FinModule::FillTransactionGrid(); }

void FinForm1::Combo2_Click() { FinModule::FillTransactionGrid(); }

void FinForm1::DTPicker1_Change() {
    FinModule::ClearTransactionGrid();
    FinModule::FillTransactionGrid();
}

void FinForm1::DTPicker2_Change() {
    FinModule::ClearTransactionGrid();
    FinModule::FillTransactionGrid();
}

void FinForm1::Command1_Click() { app().window<FinForm6>().ShowMaximized(); }

void FinForm1::Command2_Click() { FinModule::EditSelectedTransaction(); }

void FinForm1::Command3_Click() {
    FinModule::DeleteSelectedTransaction();
    FinModule::RefreshAccountBalances();
}

void FinForm1::setEntryCommandsEnabled(bool enabled) {
    Command2->setEnabled(enabled);
    Command3->setEnabled(enabled);
}

// Edit and Delete serve the data row just clicked.
void FinForm1::MSFlexGrid1_Click() {
    if (Combo1->Text().isEmpty()) return;
    setEntryCommandsEnabled(MSFlexGrid1->Row() >= FinModule::FirstEntryRow);
}

// Half a second later Edit and Delete are off: a click on either, which
// took the focus from the list, is handled within the wait while both are
// still on.
void FinForm1::MSFlexGrid1_LostFocus() {
    const QPointer<FinForm1> self(this);
    app().clock().pause(0.5);
    if (self) setEntryCommandsEnabled(false);
}
