#include <QTest>

#include "organizer/activities_window.h"
#include "support/address_entries.h"
#include "support/appointment_files.h"
#include "support/window_manager.h"

using ActivitiesWindowTest = AppointmentTest;

TEST_F(ActivitiesWindowTest, ListsTheDaysAppointmentsInFileOrderAndShowsTheChosenOne) {
    storeAppointment({"20240307-1", "  Dentist ", " 08:00", "08:30 ", -1, " 20 ", "  Bring the card\r\nand the letter "});
    storeAppointment({"20240308-1", "Tomorrow"});
    storeAppointment({"20240307-2", "Lunch", "12:00", "13:00", 1, "5", "With Bo"});  // a flag other than -1: no reminder
    storeAppointment({"20240307-3", "Lunch", "13:00", "14:00", 0, "", "Second lunch"});
    Form4& activities = openDay(QDate(2024, 3, 7));

    EXPECT_EQ(listed(activities.Combo3), (QStringList{"Dentist", "Lunch", "Lunch"}));
    EXPECT_EQ(listed(activities.Combo1), (QStringList{"08:00", "12:00", "13:00"}));
    EXPECT_EQ(listed(activities.Combo2), (QStringList{"08:30", "13:00", "14:00"}));
    EXPECT_TRUE(activities.Command4->isEnabled() && activities.Command5->isEnabled());
    const QStringList shown{activities.Text3->Text(), activities.Text4->Text(), activities.Text5->Text(),
                            QString::number(activities.Check1->Value()), activities.Text2->Text(), activities.Text1->Text()};
    EXPECT_EQ(shown, QStringList({"20240307-1", "08:00", "08:30", "1", "20", "Bring the card\r\nand the letter"}));
    EXPECT_TRUE(activities.Text2->Visible() && activities.Label4->Visible());

    activities.Combo3->pick(2);  // the second "Lunch": found by its place, not its subject
    EXPECT_EQ(activities.Text3->Text(), QStringLiteral("20240307-3"));
    EXPECT_EQ(activities.Text1->Text(), QStringLiteral("Second lunch"));
    activities.Combo3->pick(1);
    EXPECT_EQ(activities.Check1->Value(), 0);
    EXPECT_FALSE(activities.Text2->Visible() || activities.Label4->Visible());

    activities.DTPicker1->pick(QDate(2024, 3, 8));
    EXPECT_EQ(listed(activities.Combo3), QStringList{"Tomorrow"});
}

TEST_F(ActivitiesWindowTest, DeletingCompactsTheFileAndRenumbersTheLaterAppointmentsOfTheDay) {
    storeAppointments({"20240307-1", "20240308-1", "20240307-2", "20240308-2", "20240307-3", "20240309-1"});
    const StoredAppointment third = storedAppointment(4);
    Form4& activities = openDay(QDate(2024, 3, 7));
    activities.Combo3->pick(1);
    QTest::mouseClick(activities.Command4, Qt::LeftButton);

    EXPECT_EQ(storedIds(), (QStringList{"20240307-1", "20240308-1", "20240308-2", "20240307-2", "20240309-1"}));
    EXPECT_EQ(storedAppointment(3).subject, third.subject) << "moved down a block, renumbered from -3 to -2";
    EXPECT_EQ(storedAppointment(5), (StoredAppointment{"", "", "", "", 0, "", ""})) << "the last block is blanked";
    EXPECT_EQ(fileBytes("Appoint.dat").mid(7 * 128, 128), countRecord(5));
    EXPECT_EQ(listed(activities.Combo3), (QStringList{"Subject of 20240307-1", "Subject of 20240307-3"}));
    EXPECT_EQ(activities.Text3->Text(), QStringLiteral("20240307-1"));

    // The last appointment of the file: blanking only, no other ID changes.
    activities.DTPicker1->pick(QDate(2024, 3, 9));
    QTest::mouseClick(activities.Command4, Qt::LeftButton);
    EXPECT_EQ(storedIds(), (QStringList{"20240307-1", "20240308-1", "20240308-2", "20240307-2"}));
    EXPECT_FALSE(activities.Command4->isEnabled());
}

// A day without appointments still lists its birthdays, with the age in the
// year shown, in file order; 29 February is missed in other years.
TEST_F(ActivitiesWindowTest, BirthdayLinesCarryTheAgeInTheShownYearAndKeepFileOrder) {
    storeEntry(person("Zulu", "Zed", "29/02/2000", "1"));
    storeEntry(person("Young", "Yan", "29/02/2024", "1"));
    storeEntry(person("Off", "Olga", "29/02/1990", "0"));
    storeEntry(person("Later", "Lou", "29/02/2027", "1"));
    storeEntry(person("March", "Mo", "01/03/1970", "1"));
    storeAppointments({"20240228-1", "20240301-1"});
    Form4& activities = openDay(QDate(2024, 2, 29));
    EXPECT_EQ(activities.Combo3->ListCount(), 0);
    EXPECT_EQ(activities.Text3->Text(), QStringLiteral("ID"));
    EXPECT_FALSE(activities.Command4->isEnabled() || activities.Command5->isEnabled());
    EXPECT_EQ(listed(activities.Combo4), (QStringList{"Birthday - Zulu, Zed ( 24 ) ", "Birthday - Young, Yan ( 0 ) ",
                                                      "Birthday - Later, Lou ( -3 ) "}));
    EXPECT_EQ(activities.Combo4->ListIndex(), 0);
    activities.DTPicker1->pick(QDate(2023, 2, 28));
    EXPECT_EQ(activities.Combo4->ListCount(), 0);
    activities.DTPicker1->pick(QDate(2023, 3, 1));
    EXPECT_EQ(listed(activities.Combo4), QStringList{"Birthday - March, Mo ( 53 ) "});
}

// Minimized by the window manager (it has no button for it), the window comes
// back at a double click on a day, on that day, as the active window.
TEST_F(ActivitiesWindowTest, ADoubleClickOnADayBringsAMinimizedWindowBack) {
    storeAppointments({"20240308-1"});
    Form4& activities = openDay(QDate(2024, 3, 7));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&activities));
    WindowManager::minimize(activities);
    ASSERT_TRUE(activities.isMinimized());

    openDay(QDate(2024, 3, 8));
    EXPECT_FALSE(activities.isMinimized());
    EXPECT_TRUE(activities.isVisible());
    EXPECT_EQ(activities.DTPicker1->Value(), QDate(2024, 3, 8));
    EXPECT_EQ(listed(activities.Combo3), QStringList{"Subject of 20240308-1"});
    EXPECT_TRUE(QTest::qWaitForWindowActive(&activities));
}
