#include <QTest>

#include "organizer/activities_window.h"
#include "organizer/calendar_window.h"
#include "support/appointment_files.h"
#include "support/double_click.h"

class ActivitiesWindowTest : public AppointmentTest {
protected:
    static QStringList items(const ComboBox* list) {
        QStringList texts;
        for (int i = 0; i < list->ListCount(); ++i) texts << list->List(i);
        return texts;
    }
};

TEST_F(ActivitiesWindowTest, ADayWithoutAppointmentsStillListsItsBirthdays) {
    storeAppointments({"20240306-1", "20240308-1"});
    storeAddress("Smith, Anna", "07/03/1980");
    Form4& activities = openDay(QDate(2024, 3, 7));
    EXPECT_EQ(activities.Combo3->ListCount(), 0);
    EXPECT_EQ(activities.Text3->Text(), QStringLiteral("ID"));
    EXPECT_FALSE(activities.Command4->isEnabled());
    EXPECT_FALSE(activities.Command5->isEnabled());
    EXPECT_EQ(items(activities.Combo4), QStringList{QStringLiteral("Birthday - Smith, Anna ( 44 ) ")});
    EXPECT_EQ(activities.Combo4->ListIndex(), 0);
}

TEST_F(ActivitiesWindowTest, ListsTheDaysAppointmentsInFileOrderAndShowsTheChosenOne) {
    storeAppointment({"20240307-1", "  Dentist ", " 08:00", "08:30 ", -1, " 20 ", "  Bring the card\r\nand the letter "});
    storeAppointment({"20240308-1", "Tomorrow"});
    storeAppointment({"20240307-2", "Lunch", "12:00", "13:00", 1, "5", "With Bo"});  // a flag other than -1: no reminder
    storeAppointment({"20240307-3", "Lunch", "13:00", "14:00", 0, "", "Second lunch"});
    Form4& activities = openDay(QDate(2024, 3, 7));

    EXPECT_EQ(items(activities.Combo3), (QStringList{"Dentist", "Lunch", "Lunch"}));
    EXPECT_EQ(items(activities.Combo1), (QStringList{"08:00", "12:00", "13:00"}));
    EXPECT_EQ(items(activities.Combo2), (QStringList{"08:30", "13:00", "14:00"}));
    EXPECT_TRUE(activities.Command4->isEnabled() && activities.Command5->isEnabled());
    EXPECT_EQ(activities.Text3->Text(), QStringLiteral("20240307-1"));
    EXPECT_EQ(activities.Text4->Text(), QStringLiteral("08:00"));
    EXPECT_EQ(activities.Text5->Text(), QStringLiteral("08:30"));
    EXPECT_EQ(activities.Check1->Value(), 1);
    EXPECT_TRUE(activities.Text2->Visible() && activities.Label4->Visible());
    EXPECT_EQ(activities.Text2->Text(), QStringLiteral("20"));
    EXPECT_EQ(activities.Text1->Text(), QStringLiteral("Bring the card\r\nand the letter"));

    activities.Combo3->pick(2);  // the second "Lunch": found by its place, not its subject
    EXPECT_EQ(activities.Text3->Text(), QStringLiteral("20240307-3"));
    EXPECT_EQ(activities.Text1->Text(), QStringLiteral("Second lunch"));
    activities.Combo3->pick(1);
    EXPECT_EQ(activities.Text3->Text(), QStringLiteral("20240307-2"));
    EXPECT_EQ(activities.Check1->Value(), 0);
    EXPECT_FALSE(activities.Text2->Visible() || activities.Label4->Visible());

    activities.DTPicker1->pick(QDate(2024, 3, 8));
    EXPECT_EQ(items(activities.Combo3), QStringList{"Tomorrow"});
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
    EXPECT_EQ(items(activities.Combo3), (QStringList{"Subject of 20240307-1", "Subject of 20240307-3"}));
    EXPECT_EQ(activities.Text3->Text(), QStringLiteral("20240307-1"));

    // The last appointment of the file: blanking only, no other ID changes.
    activities.DTPicker1->pick(QDate(2024, 3, 9));
    QTest::mouseClick(activities.Command4, Qt::LeftButton);
    EXPECT_EQ(storedIds(), (QStringList{"20240307-1", "20240308-1", "20240308-2", "20240307-2"}));
    EXPECT_FALSE(activities.Command4->isEnabled());
}

TEST_F(ActivitiesWindowTest, BirthdayLinesCarryTheAgeInTheShownYearAndKeepFileOrder) {
    storeAddress("Zulu, Zed", "29/02/2000");
    storeAddress("Young, Yan", "29/02/2024");
    storeAddress("Off, Olga", "29/02/1990", "0");
    storeAddress("Later, Lou", "29/02/2027");
    storeAddress("March, Mo", "01/03/1970");
    storeAddress("April, Al", "01/04/1970");
    Form4& activities = openDay(QDate(2024, 2, 29));
    EXPECT_EQ(items(activities.Combo4), (QStringList{"Birthday - Zulu, Zed ( 24 ) ", "Birthday - Young, Yan ( 0 ) ",
                                                     "Birthday - Later, Lou ( -3 ) "}));
    activities.DTPicker1->pick(QDate(2023, 2, 28));
    EXPECT_EQ(activities.Combo4->ListCount(), 0);
    activities.DTPicker1->pick(QDate(2023, 3, 1));
    EXPECT_EQ(items(activities.Combo4), QStringList{"Birthday - March, Mo ( 53 ) "});
}

TEST_F(ActivitiesWindowTest, OkRefreshesTheCalendarsDotsAndHides) {
    Form4& activities = openDay(QDate(2024, 3, 20));
    storeAppointments({"20240320-1"});
    Form1& calendar = app().window<Form1>();
    EXPECT_FALSE(calendar.Picture2[25]->Visible());
    QTest::mouseClick(activities.Command1, Qt::LeftButton);
    EXPECT_TRUE(calendar.Picture2[25]->Visible());
    EXPECT_FALSE(activities.isVisible());
}
