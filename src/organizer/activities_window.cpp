#include "organizer/activities_window.h"

#include "common/application.h"
#include "organizer/appointment_dialog.h"
#include "organizer/calendar_window.h"
#include "organizer/day_schedule.h"
#include "organizer/day_schedule_window.h"
#include "organizer/module1.h"

namespace {
constexpr double EditCopyPause = 0.1;
}

Form4::Form4() : Form(QStringLiteral("Form4")) {
    // A window of its own beside the calendar: a click on the calendar brings
    // the calendar in front of it.
    setFrame(Border::Fixed, false);
    setCaption(QStringLiteral("Activities"));
    setClientSize(8100, 5655);

    DTPicker1 = new DatePicker(this, QStringLiteral("DTPicker1"));
    DTPicker1->Move(120, 120, 1935, 315);
    DTPicker1->setValue(app().clock().today());
    Command6 = new CommandButton(this, QStringLiteral("Command6"), QStringLiteral("View Schedule"));
    Command6->Move(2160, 90, 1335, 375);

    Frame1 = new Frame(this, QStringLiteral("Frame1"), QStringLiteral("Appointments"));
    Frame1->Move(120, 600, 7860, 3375);
    Combo3 = new ComboBox(Frame1, QStringLiteral("Combo3"));
    Combo3->Move(120, 300, 7620, 315);
    Combo1 = new ComboBox(Frame1, QStringLiteral("Combo1"));
    Combo1->setVisible(false);
    Combo2 = new ComboBox(Frame1, QStringLiteral("Combo2"));
    Combo2->setVisible(false);
    Text3 = new TextBox(Frame1, QStringLiteral("Text3"), QStringLiteral("ID"));
    Text3->setVisible(false);

    Check1 = new CheckBox(Frame1, QStringLiteral("Check1"));
    Check1->Move(120, 780, 255, 255);
    Check1->setEnabled(false);  // shows the stored flag; changed in the appointment dialog only
    Label1 = new Label(Frame1, QStringLiteral("Label1"), QStringLiteral("Reminder"));
    Label1->Move(420, 810, 855, 255);
    Label4 = new Label(Frame1, QStringLiteral("Label4"), QStringLiteral("Minutes before meeting"));
    Label4->Move(1440, 810, 1815, 255);
    Label4->setVisible(false);
    Text2 = new TextBox(Frame1, QStringLiteral("Text2"), QStringLiteral("15"));
    Text2->Move(3300, 765, 615, 285);
    Text2->setLocked(true);
    Text2->setVisible(false);

    Label2 = new Label(Frame1, QStringLiteral("Label2"), QStringLiteral("Start Time"));
    Label2->Move(120, 1230, 855, 255);
    Text4 = new TextBox(Frame1, QStringLiteral("Text4"));
    Text4->Move(1020, 1200, 1095, 285);
    Text4->setLocked(true);
    Label3 = new Label(Frame1, QStringLiteral("Label3"), QStringLiteral("End Time"));
    Label3->Move(2400, 1230, 855, 255);
    Text5 = new TextBox(Frame1, QStringLiteral("Text5"));
    Text5->Move(3240, 1200, 1095, 285);
    Text5->setLocked(true);

    Command3 = new CommandButton(Frame1, QStringLiteral("Command3"), QStringLiteral("Add"));
    Command3->Move(4560, 1155, 1000, 375);
    Command4 = new CommandButton(Frame1, QStringLiteral("Command4"), QStringLiteral("Delete"));
    Command4->Move(5640, 1155, 1000, 375);
    Command5 = new CommandButton(Frame1, QStringLiteral("Command5"), QStringLiteral("Edit"));
    Command5->Move(6720, 1155, 1000, 375);

    Text1 = new TextBox(Frame1, QStringLiteral("Text1"), QStringLiteral("Description"), TextBox::Lines::Multi);
    Text1->Move(120, 1680, 7620, 1575);
    Text1->setLocked(true);
    Text1->setVerticalScrollBar(TextBox::ScrollBar::AsNeeded);

    Frame2 = new Frame(this, QStringLiteral("Frame2"), QStringLiteral("Memos"));
    Frame2->Move(120, 4080, 7860, 855);
    Combo4 = new ComboBox(Frame2, QStringLiteral("Combo4"));
    Combo4->Move(120, 330, 7620, 315);

    Command1 = new CommandButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->Move(6885, 5115, 1095, 375);

    connect(DTPicker1, &DatePicker::Change, this, &Form4::DTPicker1_Change);
    connect(Combo3, &ComboBox::Click, this, &Form4::Combo3_Click);
    connect(Check1, &CheckBox::Click, this, &Form4::Check1_Click);
    connect(Command3, &CommandButton::Click, this, &Form4::Command3_Click);
    connect(Command5, &CommandButton::Click, this, &Form4::Command5_Click);
    connect(Command4, &CommandButton::Click, this, &Form4::Command4_Click);
    connect(Command1, &CommandButton::Click, this, &Form4::Command1_Click);
    connect(Command6, &CommandButton::Click, this, &Form4::Command6_Click);
}

void Form4::DTPicker1_Change() { Module1::LoadDayActivities(); }

void Form4::Combo3_Click() { Module1::ShowAppointment(); }

void Form4::Check1_Click() {
    const int value = Check1->Value();
    if (value != 0 && value != 1) return;
    Text2->setVisible(value == 1);
    Label4->setVisible(value == 1);
}

// "Add": the dialog gets the day and the next number of its list; the number is
// settled when the appointment is written.
void Form4::Command3_Click() {
    Module1::vars().EditMode = false;
    Form5& dialog = app().window<Form5>();
    dialog.Text3->setText(Module1::DayKey(DTPicker1->Value()) + u'-' + QString::number(Combo3->ListCount() + 1));
    dialog.setCaption(QStringLiteral("Add Appointment"));
    dialog.OpenedInEditMode = Module1::vars().EditMode;
    handOverTo(dialog);
}

// "Edit": the dialog resets its inputs when it becomes active; the pause lets
// that happen before the shown appointment is copied in.
void Form4::Command5_Click() {
    Module1::vars().EditMode = true;
    Form5& dialog = app().window<Form5>();
    dialog.setCaption(QStringLiteral("Edit Appointment"));
    dialog.OpenedInEditMode = Module1::vars().EditMode;
    handOverTo(dialog);
    app().clock().pause(EditCopyPause);

    dialog.Combo1->setText(Text4->Text());
    dialog.Combo2->setText(Text5->Text());
    dialog.Text1->setText(Text1->Text());
    dialog.Text4->setText(Combo3->Text());
    dialog.Check1->setValue(Check1->Value());
    dialog.Text2->setText(Text2->Text());
    dialog.Text3->setText(Text3->Text());
    Module1::BeginAppointmentEdit(Text3->Text());
}

// The appointment dialog takes this window's place; it belongs to the
// calendar, from which the day was opened.
void Form4::handOverTo(Form5& dialog) {
    hide();
    const Form1* calendar = app().existingWindow<Form1>();
    dialog.Show(calendar ? static_cast<const QWidget&>(*calendar) : *this);
}

void Form4::Command4_Click() { Module1::DeleteAppointment(); }

void Form4::Command1_Click() {
    Module1::MarkCalendarMonth();
    hide();
}

void Form4::Command6_Click() {
    Form6& schedule = app().window<Form6>();
    schedule.Show(*this);
    schedule.DTPicker1->setValue(DTPicker1->Value());
    Module1::BuildDaySchedule();
}
