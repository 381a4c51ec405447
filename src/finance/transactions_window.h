#pragma once
#include "controls/combo_box.h"
#include "controls/command_button.h"
#include "controls/date_picker.h"
#include "controls/flex_grid.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/mdi_form.h"

// The Transactions window: the transactions and debit-order occurrences of
// one or all accounts, filtered by category and dates, in one list.
class FinForm1 : public MdiChildForm {
    Q_OBJECT
public:
    FinForm1();

    void Form_Load() override;

    Frame* Frame1;
    ComboBox* Combo1;       // account filter: "All Accounts", then the five accounts
    ComboBox* Combo2;       // category filter: three fixed entries, then the twenty categories
    DatePicker* DTPicker1;  // first day shown
    Label* Label4;          // "to"
    DatePicker* DTPicker2;  // last day shown
    CommandButton* Command1;  // "Add"
    CommandButton* Command2;  // "Edit"
    CommandButton* Command3;  // "Delete"
    FlexGrid* MSFlexGrid1;

    void Combo1_Click();
    void Combo2_Click();
    void DTPicker1_Change();
    void DTPicker2_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void MSFlexGrid1_Click();
    void MSFlexGrid1_LostFocus();

private:
    void setEntryCommandsEnabled(bool enabled);
};
