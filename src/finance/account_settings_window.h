#pragma once
#include "common/form.h"
#include "controls/check_box.h"
#include "controls/combo_box.h"
#include "controls/command_button.h"
#include "controls/frame.h"
#include "controls/text_box.h"

// "Account Settings": one account's overdraft facility and its two balance
// alarms. "OK" saves and closes, "Apply" saves, "Cancel" closes; while the
// window is open the finance window and its other tool windows and dialogs
// take no input.
class FinForm5 : public Form {
    Q_OBJECT
public:
    FinForm5();

    void Form_Unload() override;

    Frame* Frame1;            // "Select Account"
    ComboBox* Combo1;         // the account whose settings are shown
    Frame* Frame2;            // "Settings"
    CheckBox* Check1;         // "Overdraft Facility:"
    TextBox* Text1;           // the overdraft amount; enabled while Check1 is ticked
    CheckBox* Check2;         // "Alarm when Balance is greater than:"
    TextBox* Text2;           // the high threshold
    CheckBox* Check3;         // "Alarm when Balance is smaller than:"
    TextBox* Text3;           // the low threshold
    CommandButton* Command1;  // "OK"
    CommandButton* Command3;  // "Apply": enabled by every change the user makes
    CommandButton* Command2;  // "Cancel"

    void Combo1_Click();
    void Check1_Click();
    void Command1_Click();
    void Command3_Click();
    void Command2_Click();
    void EnableApply();  // Check2_Click, Check3_Click, Text1_Change to Text3_Change
};
