#include <gtest/gtest.h>

#include <QTest>
#include <map>

#include "desk/desk_window.h"
#include "organizer/module1.h"
#include "organizer/notes_window.h"
#include "organizer/reminder_window.h"
#include "organizer/reminders.h"
#include "support/appointment_files.h"

namespace {

const QDate Today = QDate(2024, 3, 7);
const QString TodayKey = QStringLiteral("20240307");

class RemindersTest : public AppointmentTest {
protected:
    // An appointment of today with a reminder.
    void add(const QString& subject, const QString& start, const QString& lead, const QString& end = QStringLiteral("23:00")) {
        storeAppointment({TodayKey + QStringLiteral("-1"), subject, start, end, -1, lead});
    }

    // One tick of the desk's timer at the given time of today.
    void tickAt(int hour, int minute) {
        clock->set(QDateTime(Today, QTime(hour, minute, 17)));
        emit app().window<Desk>().Timer1->Timer();
    }

    // Every subject the pop-up shows in each minute of the day, in order.
    std::map<QString, QStringList> popUpsOverTheDay() {
        std::map<QString, QStringList> shown;
        Form8& popup = app().window<Form8>();
        QString minute;
        const QMetaObject::Connection watch = QObject::connect(
            popup.Label7[0], &Label::Change, popup.Label7[0], [&] { shown[popup.Label7[0]->Caption()] << minute; });
        for (int m = 0; m < 24 * 60; ++m) {
            minute = QTime(m / 60, m % 60).toString(QStringLiteral("HH:mm"));
            tickAt(m / 60, m % 60);
        }
        QObject::disconnect(watch);
        return shown;
    }

    // What the pop-up shows: subject, start, end and lead.
    static QStringList shown(const Form8& popup) {
        return {popup.Label7[0]->Caption(), popup.Label7[1]->Caption(), popup.Label7[2]->Caption(), popup.Label2->Caption()};
    }

    static QStringList tableRow(int row) {
        FlexGrid* table = app().window<Form2>().MSFlexGrid2;
        QStringList cells;
        for (int c = 0; c < table->Cols(); ++c) cells << table->TextMatrix(row, c);
        return cells;
    }
};

TEST_F(RemindersTest, ADueReminderPopsUpInItsMinuteWithItsSubjectTimesAndLead) {
    add(QStringLiteral("Dentist"), QStringLiteral("10:20"), QStringLiteral("15"), QStringLiteral("11:00"));

    tickAt(10, 4);
    ASSERT_NE(app().existingWindow<Form2>(), nullptr) << "the check creates the Notes window";
    EXPECT_FALSE(app().window<Form2>().isVisible());
    EXPECT_EQ(tableRow(0), (QStringList{"", "Reminder Hour", "Reminder Minute", "Start Time", "End Time", "Subject"}));
    EXPECT_EQ(tableRow(1), (QStringList{"1", "10", "5", "10:20", "11:00", "Dentist"}));
    EXPECT_EQ(app().existingWindow<Form8>(), nullptr);

    tickAt(10, 5);
    Form8& popup = app().window<Form8>();
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.Caption(), "Reminder");
    EXPECT_EQ(popup.Label1->Caption() + ' ' + popup.Label2->Caption() + ' ' + popup.Label3->Caption(),
              "You have a meeting in 15 minutes.");
    EXPECT_EQ(shown(popup), QStringList({"Dentist", "10:20", "11:00", "15"}));

    tickAt(10, 6);
    EXPECT_TRUE(popup.isVisible()) << "it stays until OK";
    popup.Command1->click();
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(app().window<Form2>().MSFlexGrid2->Rows(), 2) << "each run rebuilds the table";
}

TEST_F(RemindersTest, TheLeadIsRoundedHalfToEvenAndBorrowsOneHourAtMost) {
    add(QStringLiteral("borrow"), QStringLiteral("10:05"), QStringLiteral("15"));
    add(QStringLiteral("half"), QStringLiteral("10:00"), QStringLiteral("7.5"));
    add(QStringLiteral("half even up"), QStringLiteral("11:00"), QStringLiteral("6.5"));
    add(QStringLiteral("no lead"), QStringLiteral("12:30"), QStringLiteral("0"));
    add(QStringLiteral("leading zero"), QStringLiteral("13:40"), QStringLiteral("015"));
    add(QStringLiteral("after the start"), QStringLiteral("10:50"), QStringLiteral("-5"));
    add(QStringLiteral("past midnight"), QStringLiteral("00:10"), QStringLiteral("15"));
    add(QStringLiteral("two hours"), QStringLiteral("10:20"), QStringLiteral("90"));
    add(QStringLiteral("minute 63"), QStringLiteral("10:58"), QStringLiteral("-5"));

    const auto shown = popUpsOverTheDay();
    EXPECT_EQ(shown, (std::map<QString, QStringList>{
                         {"borrow", {"09:50"}},
                         {"half", {"09:52"}},
                         {"half even up", {"10:54"}},
                         {"no lead", {"12:30"}},
                         {"leading zero", {"13:25"}},
                         {"after the start", {"10:55"}},
                     }));
    EXPECT_EQ(tableRow(7).mid(1, 2), (QStringList{"-1", "55"}));
    EXPECT_EQ(tableRow(8).mid(1, 2), (QStringList{"9", "-10"}));
    EXPECT_EQ(tableRow(9).mid(1, 2), (QStringList{"10", "63"}));

    tickAt(13, 25);
    EXPECT_EQ(app().window<Form8>().Label2->Caption(), "15");
    tickAt(9, 52);
    EXPECT_EQ(app().window<Form8>().Label2->Caption(), "7.5");
}

TEST_F(RemindersTest, OnlyTodaysFlaggedAppointmentsWithNumbersGetARowAndTheCheckGoesOn) {
    storeAppointment({TodayKey + "-1", "unflagged", "10:20", "11:00", 0, "15"});
    storeAppointment({"20240308-1", "tomorrow", "10:20", "11:00", -1, "15"});
    storeAppointment({"2024030", "short id", "10:20", "11:00", -1, "15"});
    storeAppointment({TodayKey + "-4", "bad lead", "10:20", "11:00", -1, "soon"});
    storeAppointment({TodayKey + "-5", "bad hour", "ab:20", "11:00", -1, "15"});
    storeAppointment({TodayKey + "-6", "bad minute", "10:x0", "11:00", -1, "15"});
    storeAppointment({TodayKey + "-7", "no start", "", "11:00", -1, "15"});
    storeAppointment({TodayKey + "-8", "valid", "10:20", "11:00", -1, "15"});

    tickAt(10, 5);
    EXPECT_EQ(app().window<Form2>().MSFlexGrid2->Rows(), 2);
    EXPECT_EQ(tableRow(1), (QStringList{"1", "10", "5", "10:20", "11:00", "valid"}));
    EXPECT_TRUE(app().window<Form8>().isVisible());
    EXPECT_EQ(app().window<Form8>().Label7[0]->Caption(), "valid");
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_FALSE(programEnded());
}

// Several due at once leave the last in file order showing.
TEST_F(RemindersTest, SubjectsAreTrimmedAndShortenedAfterThirtyCharacters) {
    const QString thirty = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123");
    add(thirty + u'4', QStringLiteral("10:20"), QStringLiteral("15"));
    add(QStringLiteral("   ") + thirty + QStringLiteral("   "), QStringLiteral("10:20"), QStringLiteral("15"));
    add(QStringLiteral("  Lunch "), QStringLiteral("10:10"), QStringLiteral("5"), QStringLiteral("10:45"));
    tickAt(10, 5);
    EXPECT_EQ(tableRow(1)[5], thirty + " ...");
    EXPECT_EQ(tableRow(2)[5], thirty);
    EXPECT_EQ(tableRow(3)[5], "Lunch");
    EXPECT_EQ(shown(app().window<Form8>()), QStringList({"Lunch", "10:10", "10:45", "5"}));
}

TEST_F(RemindersTest, NothingRunsWhileTheCheckIsOffAndAClosedNotesWindowComesBack) {
    add(QStringLiteral("Dentist"), QStringLiteral("10:20"), QStringLiteral("15"));
    Module1::vars().ReminderCheckOff = true;
    tickAt(10, 5);
    EXPECT_EQ(app().existingWindow<Form2>(), nullptr);
    EXPECT_EQ(app().existingWindow<Form8>(), nullptr);

    Module1::vars().ReminderCheckOff = false;
    tickAt(10, 5);
    app().window<Form8>().Command1->click();
    app().window<Form2>().close();
    QCoreApplication::processEvents();
    ASSERT_EQ(app().existingWindow<Form2>(), nullptr);
    tickAt(10, 5);
    EXPECT_TRUE(app().window<Form8>().isVisible());
    EXPECT_EQ(tableRow(1)[5], "Dentist");
}

}  // namespace
