#pragma once
#include "common/form.h"
#include "controls/command_button.h"
#include "controls/dir_list_box.h"
#include "controls/drive_list_box.h"
#include "controls/label.h"
#include "controls/text_box.h"

// "New Portfolio": the name of a new portfolio and the folder that receives it.
class FinForm3 : public Form {
    Q_OBJECT
public:
    FinForm3();

    Label* Label1;            // "Enter new Portfolio Name:"
    TextBox* Text1;           // the name
    DriveListBox* Drive1;
    DirListBox* Dir1;         // the folder shown receives the portfolio
    CommandButton* Command1;  // "Save"
    CommandButton* Command2;  // "Cancel"

    void Command1_Click();
    void Command2_Click();
    void Drive1_Change();
    void Dir1_ReadFailed(const QString& folder, const QString& reason);
};
