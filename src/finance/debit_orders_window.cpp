#include "finance/debit_orders_window.h"

#include <QPointer>

#include "common/application.h"
#include "common/conversions.h"
#include "finance/debit_order_dialogs.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"

FinForm9::FinForm9() : MdiChildForm(QStringLiteral("FinForm9"), app().window<FinMDIForm1>()) {
    setCaption(QStringLiteral("Debit Orders"));

    Frame1 = new Frame(this, QStringLiteral("Frame1"), QStringLiteral("Account"));
    Frame1->Move(120, 120, 3375, 735);
    Combo1 = new ComboBox(Frame1, QStringLiteral("Combo1"), ComboBox::Style::DropdownCombo);
    Combo1->Move(120, 240, 3135, 315);
    auto button = [this](const QString& name, const QString& caption, int left) {
        auto* b = new CommandButton(this, name, caption);
        b->Move(left, 240, 975, 375);
        return b;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Add"), 3600);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("Edit"), 4680);
    Command2->setEnabled(false);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("Delete"), 5760);
    Command3->setEnabled(false);

    MSFlexGrid1 = new FlexGrid(this, QStringLiteral("MSFlexGrid1"), 2, 4, 1, 0);
    MSFlexGrid1->Move(120, 960, 6615, 1935);

    connect(Combo1, &ComboBox::Click, this, &FinForm9::Combo1_Click);
    connect(Command1, &CommandButton::Click, this, &FinForm9::Command1_Click);
    connect(Command2, &CommandButton::Click, this, &FinForm9::Command2_Click);
    connect(Command3, &CommandButton::Click, this, &FinForm9::Command3_Click);
    connect(MSFlexGrid1, &FlexGrid::Click, this, &FinForm9::MSFlexGrid1_Click);
    connect(MSFlexGrid1, &FlexGrid::LostFocus, this, &FinForm9::MSFlexGrid1_LostFocus);
    showCreated(6975, 3255);
}

void FinForm9::Form_Load() { FinModule::RefreshPortfolioLists(); }

void FinForm9::Combo1_Click() { FinModule::FillDebitOrderGrid(); }

// "Add" opens "Add Debit Order" for the chosen account and locks the finance window.
void FinForm9::Command1_Click() {
    if (FinModule::chosenAccount(*Combo1) == 0 || Combo1->Text().isEmpty()) {
        app().message(QStringLiteral("Please select account"));
        return;
    }
    FinForm8& addDebitOrder = app().window<FinForm8>();
    addDebitOrder.Show(*this);
    app().window<FinMDIForm1>().lockFor(addDebitOrder);
}

// "Edit" opens "Edit Debit Order" on the current row's debit order, as listed.
void FinForm9::Command2_Click() {
    if (MSFlexGrid1->Row() < 2) return;
    if (FinModule::chosenAccount(*Combo1) == 0) {
        app().message(QStringLiteral("Please select account"));
        return;
    }
    FinDialog3& dialog = app().window<FinDialog3>();
    MSFlexGrid1->setCol(0);
    dialog.DTPicker1->setValue(Conversions::parseDate(MSFlexGrid1->Text()));
    MSFlexGrid1->setCol(1);
    dialog.DTPicker2->setValue(Conversions::parseDate(MSFlexGrid1->Text()));
    MSFlexGrid1->setCol(2);
    dialog.Text1->setText(MSFlexGrid1->Text());
    MSFlexGrid1->setCol(3);
    dialog.Text2->setText(MSFlexGrid1->Text());
    dialog.Show(*this);
    app().window<FinMDIForm1>().lockFor(dialog);
}

void FinForm9::Command3_Click() { FinModule::DeleteSelectedDebitOrder(); }

// Edit and Delete serve a data row (row 2 on) that was just clicked.
void FinForm9::MSFlexGrid1_Click() {
    if (Combo1->Text().isEmpty()) return;
    const bool dataRow = MSFlexGrid1->Row() >= 2;
    Command2->setEnabled(dataRow);
    Command3->setEnabled(dataRow);
}

// A click on Edit or Delete that took the focus from the list runs during
// the pause, while both are still enabled.
void FinForm9::MSFlexGrid1_LostFocus() {
    const QPointer<FinForm9> self(this);
    app().clock().pause(0.5);
    if (!self) return;  // the finance window was closed meanwhile
    Command2->setEnabled(false);
    Command3->setEnabled(false);
}
