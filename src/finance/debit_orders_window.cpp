#include "finance/debit_orders_window.h"

#include "common/application.h"
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
    showCreated(6975, 3255);
}

void FinForm9::Form_Load() { FinModule::RefreshPortfolioLists(); }
