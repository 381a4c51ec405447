#include "organizer/appointment_dialog.h"

#include "common/application.h"
#include "common/storable_text.h"
#include "organizer/activities_window.h"
#include "organizer/module1.h"

namespace {
// The longest text a record holds: nothing typed is ever cut on save.
constexpr int RecordTextLength = 126;

// Starts run "07:00" .. "23:30"; the end list adds "24:00".
void fillTimes(ComboBox* list, int count) {
    for (int i = 0; i < count; ++i) list->AddItem(Module1::SlotTime(i));
}
}  // namespace

Form5::Form5() : Form(QStringLiteral("Form5")) {
    setFrame(Border::FixedDialog, false);
    setCaption(QStringLiteral("Add Appointment"));
    setClientSize(7920, 3840);

    Frame1 = new Frame(this, QStringLiteral("Frame1"), QStringLiteral("Appointments"));
    Frame1->Move(120, 60, 7680, 3135);
    Text4 = new TextBox(Frame1, QStringLiteral("Text4"), QStringLiteral("Subject"));
    Text4->Move(120, 300, 7440, 315);
    Text4->setMaxLength(100);
    setFirstInput(Text4);

    Label2 = new Label(Frame1, QStringLiteral("Label2"), QStringLiteral("Start Time"));
    Label2->Move(120, 810, 975, 255);
    Combo1 = new ComboBox(Frame1, QStringLiteral("Combo1"), ComboBox::Style::DropdownCombo);
    Combo1->Move(1140, 765, 1215, 315);
    Combo1->setMaxLength(RecordTextLength);
    fillTimes(Combo1, Module1::DaySlots);
    Check1 = new CheckBox(Frame1, QStringLiteral("Check1"), QStringLiteral("Reminder"));
    Check1->Move(2760, 795, 1095, 255);
    Label4 = new Label(Frame1, QStringLiteral("Label4"), QStringLiteral("Minutes before meeting"));
    Label4->Move(4080, 810, 1935, 255);
    Label4->setVisible(false);
    Text2 = new TextBox(Frame1, QStringLiteral("Text2"), QStringLiteral("15"));
    Text2->Move(6120, 765, 615, 315);
    Text2->setMaxLength(RecordTextLength);
    Text2->setVisible(false);

    Label3 = new Label(Frame1, QStringLiteral("Label3"), QStringLiteral("End Time"));
    Label3->Move(120, 1245, 975, 255);
    Combo2 = new ComboBox(Frame1, QStringLiteral("Combo2"), ComboBox::Style::DropdownCombo);
    Combo2->Move(1140, 1200, 1215, 315);
    Combo2->setMaxLength(RecordTextLength);
    fillTimes(Combo2, Module1::DaySlots + 1);

    Text1 = new TextBox(Frame1, QStringLiteral("Text1"), QStringLiteral("Description"), TextBox::Lines::Multi);
    Text1->Move(120, 1680, 7440, 1335);
    Text1->setMaxLength(100);
    Text3 = new TextBox(Frame1, QStringLiteral("Text3"), QStringLiteral("ID"));
    Text3->setVisible(false);

    Command2 = new CommandButton(this, QStringLiteral("Command2"), QStringLiteral("OK"));
    Command2->Move(6705, 3330, 1095, 375);

    connect(Check1, &CheckBox::Click, this, &Form5::Check1_Click);
    connect(Combo1, &ComboBox::Click, this, &Form5::Combo1_Click);
    connect(Command2, &CommandButton::Click, this, &Form5::Command2_Click);
}

// Every activation starts the inputs afresh; the reminder box, the ID and the
// caption stay.
void Form5::Form_Activate() {
    Text1->setText(QStringLiteral("Description"));
    Text2->setText(QStringLiteral("15"));
    Text4->setText(QStringLiteral("Subject"));
    Combo1->setText(QString());
    Combo2->setText(QString());
}

void Form5::Check1_Click() {
    const int value = Check1->Value();
    if (value != 0 && value != 1) return;
    Text2->setVisible(value == 1);
    Label4->setVisible(value == 1);
}

// A picked start proposes an end half an hour later.
void Form5::Combo1_Click() { Combo2->setListIndex(Combo1->ListIndex() + 1); }

void Form5::Command2_Click() {
    const QString start = Combo1->Text();
    const QString end = Combo2->Text();
    if (start.isEmpty()) return app().message(QStringLiteral("You need to specify a Start-Time for the Appointment"));
    if (end.isEmpty()) return app().message(QStringLiteral("You need to specify an End-Time for the Appointment"));
    // Times compare as text, character by character.
    if (!(start < end)) return app().message(QStringLiteral("The duration of the meeting must be greater than 0 minutes!"));
    if (Text4->Text().isEmpty()) return app().message(QStringLiteral("You need to specify a Subject for the Appointment"));
    const QStringList texts = {Text4->Text(), start, end, Text2->Text(), Text1->Text()};
    if (!CheckStorableText(texts)) return;
    // A text copied in from a file written elsewhere may have grown past its
    // record: a lone line break comes back as carriage return and line feed.
    for (const QString& text : texts)
        if (text.size() > RecordTextLength)
            return app().message(QStringLiteral("This appointment is too long to be saved. "
                                                "Please shorten its description and save it again."));

    if (OpenedInEditMode)
        Module1::UpdateAppointment();
    else
        Module1::AddAppointment();
    hide();
    app().window<Form4>().Show();
}
