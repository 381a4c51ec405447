#include "finance/account_settings_window.h"

#include "common/application.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"

namespace {
constexpr int AmountLength = 10;
}

FinForm5::FinForm5() : Form(QStringLiteral("FinForm5")) {
    setFrame(Border::FixedTool, true);
    setCaption(QStringLiteral("Account Settings"));
    setClientSize(5295, 3315);

    Frame1 = new Frame(this, QStringLiteral("Frame1"), QStringLiteral("Select Account"));
    Frame1->Move(120, 120, 4935, 735);
    Combo1 = new ComboBox(Frame1, QStringLiteral("Combo1"), ComboBox::Style::DropdownCombo);
    Combo1->Move(120, 240, 3135, 315);
    setFirstInput(Combo1);

    Frame2 = new Frame(this, QStringLiteral("Frame2"), QStringLiteral("Settings"));
    Frame2->Move(120, 960, 4935, 1575);
    auto setting = [this](const QString& checkName, const QString& caption, const QString& boxName,
                          const QString& amount, int top) {
        auto* check = new CheckBox(Frame2, checkName, caption);
        check->Move(240, top, 3135, 315);
        auto* box = new TextBox(Frame2, boxName, amount);
        box->Move(3480, top, 1215, 315);
        box->setMaxLength(AmountLength);
        return std::pair{check, box};
    };
    std::tie(Check1, Text1) = setting(QStringLiteral("Check1"), QStringLiteral("Overdraft Facility:"),
                                      QStringLiteral("Text1"), QStringLiteral("10000"), 360);
    Text1->setEnabled(false);
    std::tie(Check2, Text2) = setting(QStringLiteral("Check2"), QStringLiteral("Alarm when Balance is greater than:"),
                                      QStringLiteral("Text2"), QStringLiteral("20000"), 720);
    std::tie(Check3, Text3) = setting(QStringLiteral("Check3"), QStringLiteral("Alarm when Balance is smaller than:"),
                                      QStringLiteral("Text3"), QStringLiteral("0"), 1080);

    auto button = [this](const QString& name, const QString& caption, int left) {
        auto* b = new CommandButton(this, name, caption);
        b->Move(left, 2760, 1095, 375);
        return b;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("OK"), 1560);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("Apply"), 2760);
    Command3->setEnabled(false);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("Cancel"), 3960);

    connect(Combo1, &ComboBox::Click, this, &FinForm5::Combo1_Click);
    connect(Check1, &CheckBox::Click, this, &FinForm5::Check1_Click);
    for (CheckBox* check : {Check2, Check3}) connect(check, &CheckBox::Click, this, &FinForm5::EnableApply);
    for (TextBox* box : {Text1, Text2, Text3}) connect(box, &TextBox::Change, this, &FinForm5::EnableApply);
    connect(Command1, &CommandButton::Click, this, &FinForm5::Command1_Click);
    connect(Command3, &CommandButton::Click, this, &FinForm5::Command3_Click);
    connect(Command2, &CommandButton::Click, this, &FinForm5::Command2_Click);
}

void FinForm5::Combo1_Click() { FinModule::LoadAccountSettings(); }

// The overdraft amount can be typed while the facility is ticked.
void FinForm5::Check1_Click() {
    Text1->setEnabled(Check1->Value() == 1);
    EnableApply();
}

void FinForm5::EnableApply() { Command3->setEnabled(true); }

// A refused amount keeps the window open, to be put right.
void FinForm5::Command1_Click() {
    if (FinModule::SaveAccountSettings()) Unload();
}

void FinForm5::Command3_Click() { FinModule::SaveAccountSettings(); }

void FinForm5::Command2_Click() { Unload(); }

void FinForm5::Form_Unload() { app().window<FinMDIForm1>().unlock(); }
