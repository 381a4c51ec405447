#pragma once
#include "common/form.h"
#include "controls/command_button.h"
#include "controls/date_picker.h"
#include "controls/flex_grid.h"

// The day schedule: the Activities window's day on a timeline of half hours,
// one row per appointment and a last row of the day's total occupation.
// Its own date picker chooses another day for both windows.
class Form6 : public Form {
    Q_OBJECT
public:
    Form6();

    FlexGrid* MSFlexGrid1;    // the schedule
    DatePicker* DTPicker1;    // the day
    CommandButton* Command1;  // "OK"

    void DTPicker1_Change();
    void Command1_Click();
};
