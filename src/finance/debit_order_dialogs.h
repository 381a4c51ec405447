#pragma once
#include "common/form.h"
#include "controls/command_button.h"
#include "controls/date_picker.h"
#include "controls/label.h"
#include "controls/text_box.h"

// "Add Debit Order": a new debit order for the account chosen in the Debit
// Orders window. While it is open the finance window takes no input.
class FinForm8 : public Form {
    Q_OBJECT
public:
    FinForm8();

    void Form_Unload() override;

    Label* Label1;            // "Start Date:"
    DatePicker* DTPicker1;    // the first occurrence
    Label* Label2;            // "End Date:"
    DatePicker* DTPicker2;    // the last day an occurrence may fall on
    Label* Label4;            // "Description:"
    TextBox* Text1;
    Label* Label3;            // "Amount:"
    TextBox* Text2;
    CommandButton* Command1;  // "Enter"
    CommandButton* Command2;  // "Cancel"

    void Command1_Click();
    void Command2_Click();
};

// "Edit Debit Order": the debit order of the Debit Orders window's current
// row. While it is open the finance window takes no input.
class FinDialog3 : public Form {
    Q_OBJECT
public:
    FinDialog3();

    void Form_Unload() override;

    Label* Label1;          // "Start Date:"
    DatePicker* DTPicker1;
    Label* Label2;          // "End Date:"
    DatePicker* DTPicker2;
    Label* Label3;          // "Description:"
    TextBox* Text1;
    Label* Label4;          // "Amount:"
    TextBox* Text2;
    CommandButton* OKButton;
    CommandButton* CancelButton;

    void OKButton_Click();
    void CancelButton_Click();
};
