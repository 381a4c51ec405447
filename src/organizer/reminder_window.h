#pragma once
#include <array>

#include "common/form.h"
#include "controls/command_button.h"
#include "controls/label.h"

// The "Reminder" pop-up: lead, subject and times of an appointment that is
// due. It has no close box; "OK" shows the next reminder waiting, or hides it.
class Form8 : public Form {
    Q_OBJECT
public:
    Form8();

    Label* Label1;                 // "You have a meeting in"
    Label* Label2;                 // the lead in minutes
    Label* Label3;                 // "minutes."
    Label* Label4;                 // "Subject:"
    Label* Label5;                 // "Start Time"
    Label* Label6;                 // "End Time"
    std::array<Label*, 3> Label7;  // subject, start time, end time
    CommandButton* Command1;       // "OK"

    void Command1_Click();
};
