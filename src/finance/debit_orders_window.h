#pragma once
#include "controls/combo_box.h"
#include "controls/command_button.h"
#include "controls/flex_grid.h"
#include "controls/frame.h"
#include "controls/mdi_form.h"

// The Debit Orders window: the chosen account's monthly debit orders.
class FinForm9 : public MdiChildForm {
    Q_OBJECT
public:
    FinForm9();

    void Form_Load() override;

    Frame* Frame1;            // "Account"
    ComboBox* Combo1;         // the chosen account
    CommandButton* Command1;  // "Add"
    CommandButton* Command2;  // "Edit"
    CommandButton* Command3;  // "Delete"
    FlexGrid* MSFlexGrid1;

    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void MSFlexGrid1_Click();
    void MSFlexGrid1_LostFocus();
};
