#pragma once
#include "common/form.h"
#include "controls/check_box.h"
#include "controls/combo_box.h"
#include "controls/command_button.h"
#include "controls/date_picker.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/text_box.h"

class Form5;

// The Activities window: one day's appointments and birthdays. Appointments are
// added, edited and deleted from here; "OK" goes back to the calendar.
class Form4 : public Form {
    Q_OBJECT
public:
    Form4();

    DatePicker* DTPicker1;  // the day shown
    CommandButton* Command6;  // "View Schedule"
    Frame* Frame1;  // "Appointments"
    ComboBox* Combo3;  // subjects, in file order
    ComboBox *Combo1, *Combo2;  // hidden: start and end times, item for item with Combo3
    TextBox* Text3;  // hidden: ID of the appointment shown, "ID" for none
    CheckBox* Check1;
    Label *Label1, *Label4;
    TextBox* Text2;  // minutes before meeting, shown while Check1 is ticked
    Label *Label2, *Label3;
    TextBox *Text4, *Text5;  // start and end
    CommandButton *Command3, *Command4, *Command5;  // "Add", "Delete", "Edit"
    TextBox* Text1;  // description
    Frame* Frame2;  // "Memos"
    ComboBox* Combo4;  // birthday lines
    CommandButton* Command1;  // "OK"

    void DTPicker1_Change();
    void Combo3_Click();
    void Check1_Click();
    void Command3_Click();
    void Command5_Click();
    void Command4_Click();
    void Command1_Click();
    void Command6_Click();

private:
    void handOverTo(Form5& dialog);
};
