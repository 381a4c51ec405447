#pragma once
#include "common/form.h"
#include "controls/combo_box.h"
#include "controls/command_button.h"
#include "controls/label.h"
#include "controls/text_box.h"

// "Rename Account": a new name for one of the five accounts.
class FinDialog : public Form {
    Q_OBJECT
public:
    FinDialog();

    ComboBox* Combo1;  // the account to rename
    Label* Label1;     // "New Account Name:"
    TextBox* Text1;    // the new name
    CommandButton* OKButton;
    CommandButton* CancelButton;

    void OKButton_Click();
    void CancelButton_Click();
};

// "Change Category": a new name for one of the twenty categories.
class FinDialog1 : public Form {
    Q_OBJECT
public:
    FinDialog1();

    ComboBox* Combo1;  // the category to rename, chosen from the list
    Label* Label1;     // "New Category:"
    TextBox* Text1;    // the new name
    CommandButton* OKButton;
    CommandButton* CancelButton;

    void OKButton_Click();
    void CancelButton_Click();
};
