#pragma once
#include "common/form.h"
#include "controls/command_button.h"
#include "controls/flex_grid.h"
#include "controls/text_box.h"

// The Notes window: a pad with a filing list of the saved notes beside it.
// The list's current row is the selected note (row 0, the header: none).
// It also carries the hidden reminder table of the reminder check.
class Form2 : public Form {
    Q_OBJECT
public:
    Form2();

    void Form_Load() override;
    void Form_Activate() override;

    TextBox* Text1;            // the pad
    FlexGrid* MSFlexGrid1;     // the filing list: "Nr.", "Description"
    CommandButton* Command4;   // "Clear Pad"
    CommandButton* Command2;   // "<< View Note"
    CommandButton* Command3;   // "Delete Note"
    CommandButton* Command1;   // "Save Note As:"
    TextBox* Text2;            // the title
    CommandButton* Command5;   // "Close"
    FlexGrid* MSFlexGrid2;     // the reminder table, never shown

    void MSFlexGrid1_SelChange();
    void MSFlexGrid1_DblClick();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Text1_Change();
    void Text2_Change();
};
