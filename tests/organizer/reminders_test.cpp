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
    // An appointment with a reminder, of today unless another day is given.
    void add(const QString& subject, const QString& start, const QString& lead, const QString& end = QStringLiteral("23:00"),
             const QDate& day = Today) {
        storeAppointment({Module1::DayKey(day) + QStringLiteral("-1"), subject, start, end, -1, lead});
    }

    // One tick of the desk's timer at the given time, of today unless another day is given.
    void tickAt(int hour, int minute, const QDate& day = Today, int second = 17) {
        clock->set(QDateTime(day, QTime(hour, minute, second)));
        emit app().window<Desk>().Timer1->Timer();
    }

    // The subject the pop-up shows; empty while it is hidden.
    static QString popUpSubject() {
        const Form8* popup = app().existingWindow<Form8>();
        return popup && popup->isVisible() ? popup->Label7[0]->Caption() : QString();
    }
    // What the user sees by pressing OK on each pop-up in turn until none is left.
    static QStringList dismissAll() {
        QStringList seen;
        for (QString subject; !(subject = popUpSubject()).isEmpty();) {
            seen << subject;
            app().window<Form8>().Command1->click();
        }
        return seen;
    }

    // When each subject pops up over the days around today, each dismissed at once: "day HH:mm",
    // the day counted from today.
    std::map<QString, QStringList> popUpsAroundToday() {
        std::map<QString, QStringList> shown;
        for (int day = -1; day <= 1; ++day)
            for (int m = 0; m < 24 * 60; ++m) {
                tickAt(m / 60, m % 60, Today.addDays(day));
                for (const QString& subject : dismissAll())
                    shown[subject] << QString::number(day) + QTime(m / 60, m % 60).toString(QStringLiteral(" HH:mm"));
            }
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

// A reminder falls due at its start less its lead, counted in whole minutes
// across hours and days; the lead rounds half to even.
TEST_F(RemindersTest, AReminderIsDueAtItsStartLessItsLeadOnWhicheverDayThatFalls) {
    const QDate tomorrow = Today.addDays(1), yesterday = Today.addDays(-1);
    const struct {
        const char *subject, *start, *lead;
        QDate day;
        QStringList due;  // day from today, time
    } cases[] = {
        {"across hours", "10:20", "90", Today, {"0 08:50"}},
        {"one hour back", "10:05", "15", Today, {"0 09:50"}},
        {"half to even", "10:00", "7.5", Today, {"0 09:52"}},
        {"half to even up", "11:00", "6.5", Today, {"0 10:54"}},
        {"no lead", "12:30", "0", Today, {"0 12:30"}},
        {"leading zero", "13:40", "015", Today, {"0 13:25"}},
        {"after the start", "10:50", "-5", Today, {"0 10:55"}},
        {"into the next hour", "10:58", "-5", Today, {"0 11:03"}},
        {"the evening before", "00:10", "15", tomorrow, {"0 23:55"}},
        {"back to yesterday", "00:10", "15", Today, {"-1 23:55"}},
        {"past midnight", "23:58", "-5", yesterday, {"0 00:03"}},
        {"end of the day", "24:00", "0", Today, {"1 00:00"}},
        {"a day and an hour", "10:20", "1500", tomorrow, {"0 09:20"}},
    };
    for (const auto& c : cases) add(c.subject, c.start, c.lead, QStringLiteral("23:00"), c.day);

    tickAt(0, 3);
    EXPECT_EQ(tableRow(1).mid(1, 3), (QStringList{"8", "50", "10:20"}));
    EXPECT_EQ(tableRow(9).mid(1, 3), (QStringList{"23", "55", "00:10"})) << "tomorrow's appointment, due today";
    EXPECT_EQ(tableRow(10).mid(1, 3), (QStringList{"0", "3", "23:58"})) << "yesterday's appointment, due today";
    EXPECT_EQ(tableRow(11)[5], "a day and an hour") << "a row for each reminder due today, in file order";
    EXPECT_EQ(shown(app().window<Form8>()), QStringList({"past midnight", "23:58", "23:00", "-5"}));
    dismissAll();

    std::map<QString, QStringList> expected;
    for (const auto& c : cases) expected[c.subject] = c.due;
    EXPECT_EQ(popUpsAroundToday(), expected);
    tickAt(13, 25);
    EXPECT_EQ(app().window<Form8>().Label2->Caption(), "15");
    dismissAll();
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

TEST_F(RemindersTest, SubjectsAreTrimmedAndShortenedAfterThirtyCharacters) {
    const QString thirty = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123");
    add(thirty + u'4', QStringLiteral("10:20"), QStringLiteral("15"));
    add(QStringLiteral("   ") + thirty + QStringLiteral("   "), QStringLiteral("10:20"), QStringLiteral("15"));
    add(QStringLiteral("  Lunch "), QStringLiteral("10:10"), QStringLiteral("5"), QStringLiteral("10:45"));
    tickAt(10, 5);
    EXPECT_EQ(tableRow(1)[5], thirty + " ...");
    EXPECT_EQ(tableRow(2)[5], thirty);
    EXPECT_EQ(tableRow(3)[5], "Lunch");
    EXPECT_EQ(shown(app().window<Form8>()), QStringList({thirty + " ...", "10:20", "23:00", "15"}));
}

// Every reminder that falls due is seen, one pop-up after the other in file
// order; a timer that runs twice in one minute raises that minute's once.
TEST_F(RemindersTest, RemindersDueTogetherShowOneAfterAnotherInFileOrder) {
    add(QStringLiteral("first"), QStringLiteral("10:20"), QStringLiteral("15"), QStringLiteral("11:00"));
    add(QStringLiteral("second"), QStringLiteral("10:25"), QStringLiteral("20"), QStringLiteral("11:30"));
    add(QStringLiteral("third"), QStringLiteral("10:35"), QStringLiteral("30"));
    tickAt(10, 5, Today, 1);
    Form8& popup = app().window<Form8>();
    EXPECT_EQ(shown(popup), QStringList({"first", "10:20", "11:00", "15"}));
    tickAt(10, 5, Today, 58);
    EXPECT_EQ(shown(popup), QStringList({"first", "10:20", "11:00", "15"}));
    popup.Command1->click();
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(shown(popup), QStringList({"second", "10:25", "11:30", "20"}));
    EXPECT_EQ(dismissAll(), QStringList({"second", "third"}));
    tickAt(10, 5, Today, 59);
    EXPECT_FALSE(popup.isVisible());
}

TEST_F(RemindersTest, APopUpStillOpenIsNotOverwrittenByTheNextMinutesReminders) {
    add(QStringLiteral("early"), QStringLiteral("10:20"), QStringLiteral("15"));
    add(QStringLiteral("later"), QStringLiteral("10:21"), QStringLiteral("15"));
    add(QStringLiteral("last"), QStringLiteral("10:22"), QStringLiteral("15"));
    tickAt(10, 5);
    tickAt(10, 6);
    EXPECT_EQ(popUpSubject(), "early");
    app().window<Form8>().Command1->click();
    tickAt(10, 7);
    EXPECT_EQ(dismissAll(), QStringList({"later", "last"}));
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
    EXPECT_EQ(tableRow(1)[5], "Dentist");
    EXPECT_FALSE(app().window<Form8>().isVisible()) << "shown once in its minute";
}

}  // namespace
