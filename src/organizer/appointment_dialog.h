#pragma once
#include "common/form.h"
#include "controls/check_box.h"
#include "controls/combo_box.h"
#include "controls/command_button.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/text_box.h"

// The appointment dialog, opened by the Activities window's "Add" and "Edit".
// "OK" with valid input is its only way out.
class Form5 : public Form {
    Q_OBJECT
public:
    Form5();

    void Form_Activate() override;

    Frame* Frame1;  // "Appointments"
    TextBox* Text4;  // subject
    Label* Label2;
    ComboBox* Combo1;  // start time
    Label* Label3;
    ComboBox* Combo2;  // end time
    CheckBox* Check1;  // reminder
    TextBox* Text2;  // minutes before meeting
    Label* Label4;
    TextBox* Text1;  // description
    TextBox* Text3;  // hidden: the appointment's ID
    CommandButton* Command2;  // "OK"

    // EditMode as the opener left it: "OK" rewrites the appointment when set
    // and adds one otherwise, whatever other windows do to EditMode meanwhile.
    bool OpenedInEditMode = false;

    void Check1_Click();
    void Combo1_Click();
    void Command2_Click();
};
