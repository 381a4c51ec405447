#pragma once
#include <array>

#include "common/form.h"
#include "controls/command_button.h"
#include "controls/month_calendar.h"
#include "controls/picture_box.h"
#include "controls/up_down.h"

// The calendar: one month of days, a blue dot on every birthday and a red dot
// on every day with an appointment. A double-click opens the day's activities.
class Form1 : public Form {
    Q_OBJECT
public:
    Form1();

    void Form_Load() override;

    MonthCalendar* Calendar1;
    UpDown* UpDown1;
    CommandButton* Command1;
    PictureBox* Picture3;  // legend
    // Element 0 is the legend's dot; 1 .. 42 lie on the day cells.
    std::array<PictureBox*, 43> Picture1{};  // birthday markers
    std::array<PictureBox*, 43> Picture2{};  // appointment markers

    void Calendar1_AfterUpdate();
    void Calendar1_DblClick();
    void UpDown1_DownClick();
    void UpDown1_UpClick();
    void Command1_Click();

private:
    // The calendar shows day 1 of the month that many months away.
    void stepMonth(int months);
};
