#include "organizer/day_schedule_window.h"

#include "common/application.h"
#include "organizer/activities_window.h"
#include "organizer/day_schedule.h"
#include "organizer/module1.h"

Form6::Form6() : Form(QStringLiteral("Form6")) {
    setFrame(Border::FixedTool, true);
    setCaption(QStringLiteral("Day Schedule"));
    setClientSize(8040, 3795);

    // The subject column and the half hours "07:00" .. "23:30"; they scroll sideways.
    MSFlexGrid1 = new FlexGrid(this, QStringLiteral("MSFlexGrid1"), 0, 35, 0, 0);
    MSFlexGrid1->Move(120, 120, 7815, 3135);

    DTPicker1 = new DatePicker(this, QStringLiteral("DTPicker1"));
    DTPicker1->Move(120, 3360, 3135, 375);
    DTPicker1->setValue(app().clock().today());

    Command1 = new CommandButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->Move(6720, 3360, 1215, 375);

    connect(DTPicker1, &DatePicker::Change, this, &Form6::DTPicker1_Change);
    connect(Command1, &CommandButton::Click, this, &Form6::Command1_Click);
}

// Another day here is another day in the Activities window too: its lists are
// what the schedule is drawn from.
void Form6::DTPicker1_Change() {
    app().window<Form4>().DTPicker1->setValue(DTPicker1->Value());
    Module1::LoadDayActivities();
    Module1::BuildDaySchedule();
}

void Form6::Command1_Click() { hide(); }
