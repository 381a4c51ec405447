#include <QTest>

#include "desk/desk_window.h"
#include "organizer/activities_window.h"
#include "organizer/appointment_dialog.h"
#include "organizer/calendar_window.h"
#include "organizer/reminder_window.h"
#include "support/appointment_files.h"
#include "support/double_click.h"
#include "support/window_manager.h"

namespace {
using WindowManager::drag;
using WindowManager::placesIt;

void typeOver(ComboBox* box, const QString& text) {
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
}
}  // namespace

class AppointmentDialogTest : public AppointmentTest {
protected:
    Form5& press(CommandButton* opener) {
        QTest::mouseClick(opener, Qt::LeftButton);
        QCoreApplication::processEvents();  // the dialog's activation
        return app().window<Form5>();
    }
    Form5& openAdd(const QDate& day) { return press(openDay(day).Command3); }
    void fill(Form5& dialog, const QString& subject, const QString& start, const QString& end) {
        typeOver(dialog.Text4, subject);
        typeOver(dialog.Combo1, start);
        typeOver(dialog.Combo2, end);
    }
    void ok(Form5& dialog) { QTest::mouseClick(dialog.Command2, Qt::LeftButton); }
    void activate(Form& window) {
        window.Show();
        QCoreApplication::processEvents();
    }
};

// The Activities window is a window of its own beside the calendar, which a
// click brings in front of it; the dialog that takes its place belongs to the
// calendar the day was opened from.
TEST_F(AppointmentDialogTest, AnAddedAppointmentIsStoredByteForByteAndMarkedOnTheCalendar) {
    Form1& calendar = app().window<Form1>();
    activate(calendar);
    Form5& dialog = openAdd(QDate(2024, 3, 7));
    EXPECT_EQ(dialog.Caption(), QStringLiteral("Add Appointment"));
    Form4& activities = app().window<Form4>();
    EXPECT_FALSE(activities.isVisible());
    EXPECT_EQ(activities.windowHandle()->type(), Qt::Window) << "a dialog without owner stays above every window";
    EXPECT_EQ(ownerOf(activities), nullptr);
    EXPECT_EQ(ownerOf(dialog), calendar.windowHandle());
    typeOver(dialog.Text4, QStringLiteral("Dentist"));
    dialog.Combo1->pick(6);
    EXPECT_EQ(dialog.Combo2->Text(), QStringLiteral("10:30")) << "the end follows a picked start";
    QTest::mouseClick(dialog.Check1, Qt::LeftButton);
    EXPECT_TRUE(dialog.Text2->Visible() && dialog.Label4->Visible());
    typeOver(dialog.Text2, QStringLiteral("30"));
    typeOver(dialog.Text1, QStringLiteral("Bring the card\nand the letter"));
    ok(dialog);

    const QByteArray expected = stringRecord("20240307-1") + stringRecord("Dentist") + stringRecord("10:00") +
                                stringRecord("10:30") + integerRecord(-1) + stringRecord("30") +
                                stringRecord("Bring the card\r\nand the letter") + countRecord(1);
    EXPECT_EQ(fileBytes("Appoint.dat"), expected);
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_TRUE(activities.isVisible());
    EXPECT_EQ(activities.Combo3->Text(), QStringLiteral("Dentist"));

    QTest::mouseClick(activities.Command1, Qt::LeftButton);
    EXPECT_TRUE(app().window<Form1>().Picture2[12]->Visible());
    EXPECT_TRUE(app().window<Desk>().Image43->Visible());
}

TEST_F(AppointmentDialogTest, OkChecksStartEndDurationAndSubjectInThatOrder) {
    struct Case { QString subject, start, end, message; };
    const QString duration = QStringLiteral("The duration of the meeting must be greater than 0 minutes!");
    const Case cases[] = {
        {"", "", "", "You need to specify a Start-Time for the Appointment"},
        {"", "07:00", "", "You need to specify an End-Time for the Appointment"},
        {"A", "07:00", "07:00", duration},
        {"A", "9:00", "10:00", duration},  // compared as text: "9" sorts after "1"
        {"", "10:00", "09:00", duration},
        {"", "07:15", "07:30", "You need to specify a Subject for the Appointment"},
    };
    for (const Case& c : cases) {
        Form5& dialog = openAdd(QDate(2024, 3, 7));
        fill(dialog, c.subject, c.start, c.end);
        const QByteArray before = fileBytes("Appoint.dat");
        messages->texts.clear();
        ok(dialog);
        EXPECT_EQ(messages->texts, QStringList{c.message}) << c.start.toStdString() << " " << c.end.toStdString();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.Combo1->Text(), c.start) << "the input stays";
        EXPECT_EQ(fileBytes("Appoint.dat"), before);
        dialog.hide();
    }

    Form5& dialog = openAdd(QDate(2024, 3, 7));
    fill(dialog, QStringLiteral("Late"), QStringLiteral("23:30"), QStringLiteral("24:00"));
    messages->texts.clear();
    ok(dialog);
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_EQ(storedAppointment(0), (StoredAppointment{"20240307-1", "Late", "23:30", "24:00", 0, "15", "Description"}))
        << "the untouched defaults are stored as they stand";
}

// The lists start afresh with the inputs: the arrow key goes to the first time.
TEST_F(AppointmentDialogTest, EveryActivationResetsTheInputsButNotTheReminderOrTheId) {
    Form5& dialog = openAdd(QDate(2024, 3, 7));
    typeOver(dialog.Text4, QStringLiteral("Dentist"));
    dialog.Combo1->pick(21);
    ASSERT_EQ(dialog.Combo2->Text(), QStringLiteral("18:00"));
    typeOver(dialog.Text1, QStringLiteral("Card"));
    QTest::mouseClick(dialog.Check1, Qt::LeftButton);
    typeOver(dialog.Text2, QStringLiteral("30"));

    activate(app().window<Form1>());
    activate(dialog);
    const QStringList shown{dialog.Text4->Text(), dialog.Text1->Text(), dialog.Text2->Text(), dialog.Combo1->Text(),
                            dialog.Combo2->Text(), QString::number(dialog.Check1->Value()), dialog.Text3->Text()};
    EXPECT_EQ(shown, QStringList({"Subject", "Description", "15", "", "", "1", "20240307-1"}));
    EXPECT_EQ(dialog.Combo1->ListIndex(), -1);
    EXPECT_EQ(dialog.Combo2->ListIndex(), -1);
    QTest::keyClick(dialog.Combo1, Qt::Key_Down);
    EXPECT_EQ(dialog.Combo1->Text(), QStringLiteral("07:00"));
    EXPECT_EQ(dialog.Combo2->Text(), QStringLiteral("07:30"));
}

TEST_F(AppointmentDialogTest, EditCopiesTheShownAppointmentAfterTheResetAndRewritesOnlyThatOne) {
    storeAppointment({"20240307-1", "Dentist", "08:00", "08:30", -1, "20", "Card"});
    storeAppointment({"20240308-1", "Other day"});
    storeAppointment({"20240307-1", "Stray copy"});
    Form4& activities = openDay(QDate(2024, 3, 7));
    activities.Combo3->pick(0);
    Form5& dialog = press(activities.Command5);

    EXPECT_EQ(dialog.Caption(), QStringLiteral("Edit Appointment"));
    EXPECT_EQ(clock->pauses(), 1);
    EXPECT_EQ(dialog.Text4->Text(), QStringLiteral("Dentist")) << "the subject is the list's chosen text";
    EXPECT_EQ(dialog.Combo1->Text(), QStringLiteral("09:00")) << "the rest is the last entry carrying the ID";
    EXPECT_EQ(dialog.Text3->Text(), QStringLiteral("20240307-1"));

    typeOver(dialog.Text4, QStringLiteral("Dentist moved"));
    QTest::mouseClick(dialog.Check1, Qt::LeftButton);
    ok(dialog);
    const StoredAppointment rewritten{"20240307-1", "Dentist moved", "09:00", "10:00", -1, "15", "Description"};
    EXPECT_EQ(storedAppointment(2), rewritten);
    const StoredAppointment untouched{"20240307-1", "Dentist", "08:00", "08:30", -1, "20", "Card"};
    EXPECT_EQ(storedAppointment(0), untouched) << "an older entry with the same ID is not the one opened";
    EXPECT_EQ(storedAppointment(1).subject, QStringLiteral("Other day"));
    EXPECT_EQ(Module1::RecordCount(Module1::Appointments), 3);
}

// Typing a time the list holds, and Enter or leaving the box after it, is no
// pick: an end already typed stays. The mouse or the arrow keys pick.
TEST_F(AppointmentDialogTest, OnlyAPickFromTheListProposesTheEnd) {
    Form5& dialog = openAdd(QDate(2024, 3, 7));
    typeOver(dialog.Combo2, QStringLiteral("11:15"));
    dialog.Combo1->setFocus();
    typeOver(dialog.Combo1, QStringLiteral("10:00"));
    QTest::keyClick(dialog.Combo1->lineEdit(), Qt::Key_Return);
    QTest::keyClick(dialog.Combo1->lineEdit(), Qt::Key_Enter);
    dialog.Text4->setFocus();
    ASSERT_TRUE(dialog.Text4->hasFocus());
    EXPECT_EQ(dialog.Combo1->Text(), QStringLiteral("10:00"));
    EXPECT_EQ(dialog.Combo2->Text(), QStringLiteral("11:15"));

    QTest::keyClick(dialog.Combo1, Qt::Key_Down);
    EXPECT_EQ(dialog.Combo2->Text(), QStringLiteral("07:30"));
    dialog.Combo1->pick(6);
    EXPECT_EQ(dialog.Combo2->Text(), QStringLiteral("10:30"));
}

// A reminder pops up on top but leaves the activation where the user types.
TEST_F(AppointmentDialogTest, AReminderPoppingUpLeavesWhatIsBeingTypedAlone) {
    storeAppointment({"20240307-1", "Call the bank", "09:45", "10:00", -1, "15", "x"});  // due at 09:30, now
    Form5& dialog = openAdd(QDate(2024, 3, 7));
    typeOver(dialog.Text4, QStringLiteral("Half typed"));
    emit app().window<Desk>().Timer1->Timer();
    QCoreApplication::processEvents();
    Form8& popup = app().window<Form8>();
    ASSERT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.Label7[0]->Caption(), QStringLiteral("Call the bank"));

    activate(dialog);
    EXPECT_EQ(dialog.Text4->Text(), QStringLiteral("Half typed"));
    QTest::mouseClick(popup.Command1, Qt::LeftButton);
    activate(dialog);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(dialog.Text4->Text(), QStringLiteral("Half typed"));
}

// "OK" of an edit writes the appointment that "Edit" opened: where it now is
// when a deletion moved it, and nowhere when it was deleted.
TEST_F(AppointmentDialogTest, AnEditWritesOnlyTheAppointmentItOpenedWhereverItIsNow) {
    storeAppointments({"20240307-1", "20240307-2", "20240307-3"});
    Form4& activities = openDay(QDate(2024, 3, 7));
    activities.Combo3->pick(1);
    Form5& dialog = press(activities.Command5);
    ASSERT_EQ(dialog.Text3->Text(), QStringLiteral("20240307-2"));

    openDay(QDate(2024, 3, 7));
    activities.Combo3->pick(0);
    QTest::mouseClick(activities.Command4, Qt::LeftButton);  // -1 goes, -2 and -3 move up and become -1 and -2
    activate(dialog);
    fill(dialog, QStringLiteral("Second, moved"), QStringLiteral("12:00"), QStringLiteral("13:00"));
    ok(dialog);
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_EQ(storedAppointment(0),
              (StoredAppointment{"20240307-1", "Second, moved", "12:00", "13:00", 0, "15", "Description"}));
    EXPECT_EQ(storedAppointment(1).subject, QStringLiteral("Subject of 20240307-3"));
    EXPECT_EQ(storedAppointment(1).id, QStringLiteral("20240307-2"));

    // Edit the first, then delete it from the calendar while the dialog is open.
    activities.Combo3->pick(0);
    press(activities.Command5);
    openDay(QDate(2024, 3, 7));
    activities.Combo3->pick(0);
    QTest::mouseClick(activities.Command4, Qt::LeftButton);
    const QByteArray afterDelete = fileBytes("Appoint.dat");
    activate(dialog);
    fill(dialog, QStringLiteral("Gone"), QStringLiteral("12:00"), QStringLiteral("13:00"));
    ok(dialog);
    EXPECT_EQ(messages->texts, QStringList{"This appointment was deleted while it was being edited; the changes were not saved."});
    EXPECT_EQ(fileBytes("Appoint.dat"), afterDelete);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(activities.isVisible());
    EXPECT_EQ(activities.Combo3->Text(), QStringLiteral("Subject of 20240307-3"));
}

// Once the calendar has emptied the Activities window, no appointment is
// shown: "Delete" and "Edit" are not offered, so no edit can look saved
// while nothing is written. Opening the day again offers them again.
TEST_F(AppointmentDialogTest, AfterTheCalendarEmptiedTheWindowNoEditIsOffered) {
    storeAppointments({"20240307-1"});
    Form4& activities = openDay(QDate(2024, 3, 7));
    Form1& calendar = app().window<Form1>();
    QTest::keyClick(calendar.Calendar1, Qt::Key_Right);
    ASSERT_EQ(activities.Text3->Text(), QStringLiteral("ID"));
    EXPECT_FALSE(activities.Command4->isEnabled());
    EXPECT_FALSE(activities.Command5->isEnabled());
    QTest::mouseClick(activities.Command5, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(app().window<Form5>().isVisible());
    EXPECT_TRUE(activities.isVisible());

    openDay(QDate(2024, 3, 7));
    EXPECT_TRUE(activities.Command4->isEnabled() && activities.Command5->isEnabled());
    Form5& dialog = press(activities.Command5);
    fill(dialog, QStringLiteral("Kept"), QStringLiteral("10:00"), QStringLiteral("11:00"));
    ok(dialog);
    EXPECT_EQ(storedAppointment(0).subject, QStringLiteral("Kept"));
}

// Each showing starts with the keyboard in the subject, wherever the user
// left it the time before: a typed space goes into the subject and presses
// no button.
TEST_F(AppointmentDialogTest, EachShowingStartsWithTheKeyboardInTheSubject) {
    storeAppointments({"20240307-1"});
    Form4& activities = openDay(QDate(2024, 3, 7));
    for (CommandButton* opener : {activities.Command3, activities.Command5, activities.Command3}) {
        Form5& dialog = press(opener);
        SCOPED_TRACE(qPrintable(dialog.Caption()));
        ASSERT_TRUE(waitForKeys(dialog));
        EXPECT_TRUE(dialog.Text4->hasFocus());
        const QString subject = dialog.Text4->Text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_EQ(dialog.Text4->Text(), subject + u' ');
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(messages->texts.isEmpty());

        fill(dialog, QStringLiteral("Lunch"), QStringLiteral("12:00"), QStringLiteral("13:00"));
        dialog.Command2->setFocus(Qt::TabFocusReason);  // the user tabs to "OK" and presses Space
        QTest::keyClick(dialog.Command2, Qt::Key_Space);
        ASSERT_FALSE(dialog.isVisible());
    }
}

// The number of a new appointment is settled when it is written, so a deletion
// on the same day meanwhile leaves no gap in the day's numbering.
TEST_F(AppointmentDialogTest, ANewAppointmentIsNumberedByWhatItsDayHoldsWhenWritten) {
    storeAppointments({"20240307-1", "20240307-2"});
    Form5& dialog = openAdd(QDate(2024, 3, 7));
    EXPECT_EQ(dialog.Text3->Text(), QStringLiteral("20240307-3"));

    Form4& activities = openDay(QDate(2024, 3, 7));
    QTest::mouseClick(activities.Command4, Qt::LeftButton);
    activate(dialog);
    fill(dialog, QStringLiteral("New"), QStringLiteral("10:00"), QStringLiteral("11:00"));
    ok(dialog);

    EXPECT_EQ(storedIds(), (QStringList{"20240307-1", "20240307-2"}));
    activities.Combo3->pick(1);
    EXPECT_EQ(activities.Text3->Text(), QStringLiteral("20240307-2"));
    EXPECT_EQ(activities.Text4->Text(), QStringLiteral("10:00"));
    QTest::mouseClick(activities.Command4, Qt::LeftButton);
    EXPECT_EQ(storedAppointment(0).subject, QStringLiteral("Subject of 20240307-2")) << "the other one stays";
}

// The address book's dialogs set EditMode too; the appointment dialog keeps
// the value its opener gave it.
TEST_F(AppointmentDialogTest, OkRewritesOrAddsAsItsOpenerSaidWhateverEditModeSaysMeanwhile) {
    storeAppointments({"20240307-1"});
    Form4& activities = openDay(QDate(2024, 3, 7));
    Form5& dialog = press(activities.Command5);
    Module1::vars().EditMode = false;
    typeOver(dialog.Text4, QStringLiteral("Edited"));
    ok(dialog);
    EXPECT_EQ(storedIds(), QStringList{"20240307-1"});
    EXPECT_EQ(storedAppointment(0).subject, QStringLiteral("Edited"));

    press(activities.Command3);
    Module1::vars().EditMode = true;
    fill(dialog, QStringLiteral("Added"), QStringLiteral("10:00"), QStringLiteral("11:00"));
    ok(dialog);
    EXPECT_EQ(storedIds(), (QStringList{"20240307-1", "20240307-2"}));
    EXPECT_EQ(storedAppointment(1).subject, QStringLiteral("Added"));
}

TEST_F(AppointmentDialogTest, TimesAndMinutesCannotBeTypedPastWhatARecordHolds) {
    Form5& dialog = openAdd(QDate(2024, 3, 7));
    QTest::mouseClick(dialog.Check1, Qt::LeftButton);
    const QString start = QStringLiteral("1") + QString(199, u'x');
    const QString end = QStringLiteral("2") + QString(199, u'y');
    fill(dialog, QStringLiteral("Long"), start, end);
    typeOver(dialog.Text2, QString(200, u'9'));
    EXPECT_EQ(dialog.Combo1->Text(), start.left(126));
    EXPECT_EQ(dialog.Combo2->Text(), end.left(126));
    EXPECT_EQ(dialog.Text2->Text(), QString(126, u'9'));
    ok(dialog);
    EXPECT_EQ(storedAppointment(0), (StoredAppointment{"20240307-1", "Long", start.left(126), end.left(126), -1,
                                                       QString(126, u'9'), "Description"}));
}

TEST_F(AppointmentDialogTest, AFullFileRefusesOneMoreAppointmentAndWritesNothing) {
    Module1::setRecordCount(Module1::Appointments, Module1::MaxEntries);
    Form5& dialog = openAdd(QDate(2024, 3, 7));
    fill(dialog, QStringLiteral("One too many"), QStringLiteral("10:00"), QStringLiteral("11:00"));
    const QByteArray before = fileBytes("Appoint.dat");
    ok(dialog);
    EXPECT_EQ(messages->texts, QStringList{"The appointment book is full: it holds 32767 appointments. "
                                           "Delete an appointment before adding another."});
    EXPECT_EQ(fileBytes("Appoint.dat"), before);
    EXPECT_TRUE(app().window<Form4>().isVisible()) << "the user is not left in a dialog without a way out";
}

// Line breaks written by another program as a lone line feed come back from
// the description box as carriage return and line feed: a description that
// no longer fits its record is refused, not cut, and nothing is written.
TEST_F(AppointmentDialogTest, ADescriptionGrownPastItsRecordIsRefusedNotCut) {
    StoredAppointment foreign{"20240307-1"};
    foreign.description = (QString(5, u'a') + u'\n').repeated(20);  // 120 characters
    storeAppointment(foreign);
    const QByteArray before = fileBytes("Appoint.dat");
    Form4& activities = openDay(QDate(2024, 3, 7));
    Form5& dialog = press(activities.Command5);
    ASSERT_EQ(dialog.Text1->Text().size(), 140);
    ok(dialog);
    EXPECT_EQ(messages->texts,
              QStringList{"This appointment is too long to be saved. Please shorten its description and save it again."});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(fileBytes("Appoint.dat"), before);

    typeOver(dialog.Text1, QStringLiteral("Short"));
    ok(dialog);
    EXPECT_EQ(storedAppointment(0).description, QStringLiteral("Short"));
}

// Hidden and shown again, the day's windows come back where the user left
// them; only their first showing is placed by the window manager. With the
// calendar closed, the dialog belongs to the desk rather than to no window.
TEST_F(AppointmentDialogTest, TheDaysWindowsComeBackWhereTheUserLeftThem) {
    QWidget desk;
    app().setMainWindow(&desk);
    desk.show();
    Form1& calendar = app().window<Form1>();
    activate(calendar);
    Form4& activities = openDay(QDate(2024, 3, 7));
    EXPECT_TRUE(placesIt(activities));
    drag(activities, QPoint(640, 420));
    Form5& dialog = press(activities.Command3);
    EXPECT_TRUE(placesIt(dialog));
    drag(dialog, QPoint(660, 80));
    fill(dialog, QStringLiteral("Dentist"), QStringLiteral("10:00"), QStringLiteral("10:30"));
    ok(dialog);
    EXPECT_EQ(activities.pos(), QPoint(640, 420));
    EXPECT_FALSE(placesIt(dialog));

    QTest::mouseClick(activities.Command1, Qt::LeftButton);  // "OK" hides it
    EXPECT_FALSE(placesIt(activities));
    calendar.close();
    openDay(QDate(2024, 3, 8));
    EXPECT_EQ(activities.pos(), QPoint(640, 420));
    press(activities.Command3);
    EXPECT_EQ(dialog.pos(), QPoint(660, 80));
    EXPECT_EQ(ownerOf(dialog), desk.windowHandle());
}
