#include <QScrollBar>
#include <QTest>
#include <string>

#include "common/conversions.h"
#include "organizer/activities_window.h"
#include "organizer/day_schedule_window.h"
#include "support/appointment_files.h"

namespace {

const QDate Day = QDate(2024, 3, 12);

class DayScheduleTest : public AppointmentTest {
protected:
    // The Activities window on the day, as the calendar opens it; then "View Schedule".
    Form6& viewSchedule(const QDate& day) {
        Form4& activities = app().window<Form4>();
        activities.DTPicker1->setValue(day);
        activities.Show();
        Module1::LoadDayActivities();
        QTest::mouseClick(activities.Command6, Qt::LeftButton);
        return app().window<Form6>();
    }

    static FlexGrid& grid() { return *app().window<Form6>().MSFlexGrid1; }

    static QStringList rowTexts(int row) {
        QStringList texts;
        for (int c = 0; c < grid().Cols(); ++c) texts << grid().TextMatrix(row, c);
        return texts;
    }

    static quint32 colourAt(int row, int col) {
        grid().setRow(row);
        grid().setCol(col);
        return grid().CellBackColor();
    }

    // The slots of a row that carry a colour, by their header time:
    // "09:00 blue, 09:30 dark red"; "" when the whole row shows the default.
    static std::string colouredSlots(int row) {
        std::string out;
        for (int c = 1; c < grid().Cols(); ++c) {
            const quint32 colour = colourAt(row, c);
            if (colour == 0) continue;
            const char* name = colour == 0xFF0000 ? "blue"
                               : colour == 0xFF   ? "red"
                               : colour == 0xC0   ? "dark red"
                                                  : "other";
            if (!out.empty()) out += ", ";
            out += grid().TextMatrix(0, c).toStdString() + ' ' + name;
        }
        return out;
    }

    // "Appointment", then the half hours from 07:00 to 23:30.
    static QStringList headerRow() {
        QStringList header{"Appointment"};
        for (QTime slot(7, 0); slot.isValid() && slot.hour() >= 7; slot = slot.addSecs(1800)) header << slot.toString("HH:mm");
        return header;
    }
};

TEST_F(DayScheduleTest, TwoOverlappingAppointmentsShowBlueRowsAndARedAndDarkRedTotal) {
    storeAppointment({"20240312-1", "Budget review", "09:00", "10:00"});
    storeAppointment({"20240313-1", "Another day", "09:00", "12:00"});
    storeAppointment({"20240312-2", "Lunch", "09:30", "11:00"});
    Form6& schedule = viewSchedule(Day);

    EXPECT_TRUE(schedule.isVisible());
    EXPECT_EQ(schedule.Caption(), "Day Schedule for - " + Conversions::dateText(Day));
    EXPECT_EQ(schedule.DTPicker1->Value(), Day);
    ASSERT_EQ(grid().Rows(), 4);
    EXPECT_EQ(rowTexts(0), headerRow());

    EXPECT_EQ(rowTexts(1), QStringList{"Budget review"} + QStringList(34)) << "slot cells hold no text";
    EXPECT_EQ(colouredSlots(1), "09:00 blue, 09:30 blue");
    EXPECT_EQ(colourAt(1, 0), 0u);
    EXPECT_EQ(grid().TextMatrix(2, 0), "Lunch");
    EXPECT_EQ(colouredSlots(2), "09:30 blue, 10:00 blue, 10:30 blue");
    EXPECT_EQ(grid().TextMatrix(3, 0), "Total Occupation");
    EXPECT_EQ(colouredSlots(3), "09:00 red, 09:30 dark red, 10:00 red, 10:30 red");
    EXPECT_EQ(colourAt(3, 0), 0xFFFF80u);
}

// Times compare as texts: a slot is occupied only when it lies whole inside
// the appointment, and times not written as HH:MM fall where their characters put them.
TEST_F(DayScheduleTest, ASlotIsOccupiedWholeOrNotAtAllComparedAsText) {
    storeAppointment({"20240312-1", "Long morning", "09:00", "10:30"});
    storeAppointment({"20240312-2", "Late", "23:00", "24:00"});
    storeAppointment({"20240312-3", "Early", "06:00", "07:30"});
    storeAppointment({"20240312-4", "Half past", "10:15", "10:45"});
    storeAppointment({"20240312-5", "No leading zero", "9:00", "10:00"});
    storeAppointment({"20240312-6", "Typed", "12:00", "12:30x"});
    viewSchedule(Day);

    ASSERT_EQ(grid().Rows(), 8);
    EXPECT_EQ(colouredSlots(1), "09:00 blue, 09:30 blue, 10:00 blue");
    EXPECT_EQ(colouredSlots(2), "23:00 blue, 23:30 blue");
    EXPECT_EQ(colouredSlots(3), "07:00 blue");
    EXPECT_EQ(colouredSlots(4), "10:30 blue");
    EXPECT_EQ(colouredSlots(5), "") << "\"9:00\" sorts after every slot";
    EXPECT_EQ(colouredSlots(6), "12:00 blue, 12:30 blue") << "\"12:30\" is below \"12:30x\"";
    EXPECT_EQ(colouredSlots(7),
              "07:00 red, 09:00 red, 09:30 red, 10:00 red, 10:30 red, 12:00 red, 12:30 red, 23:00 red, 23:30 red");
}

// The schedule's own date picker takes both windows to another day, and every
// build starts from an empty grid; the Activities window's own date leaves the
// schedule as it is; "OK" hides it with its grid; "View Schedule" builds it again.
TEST_F(DayScheduleTest, OnlyTheSchedulesOwnDateOrViewScheduleRebuildsIt) {
    storeAppointment({"20240312-1", "Three at once", "10:00", "11:00"});
    storeAppointment({"20240312-2", "Second", "10:00", "10:30"});
    storeAppointment({"20240312-3", "Third", "09:30", "10:30"});
    storeAppointment({"20240314-1", "Alone", "14:00", "15:00"});
    Form6& schedule = viewSchedule(Day);
    Form4& activities = app().window<Form4>();
    QCoreApplication::processEvents();
    EXPECT_GT(grid().horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(grid().horizontalScrollBar()->value(), 0) << "the build leaves the view at the start of the day";
    ASSERT_EQ(grid().Rows(), 5);
    EXPECT_EQ(colouredSlots(4), "09:30 red, 10:00 dark red, 10:30 red") << "three on one slot stay dark red";

    const QDate other(2024, 3, 14);
    schedule.DTPicker1->pick(other);
    EXPECT_EQ(activities.DTPicker1->Value(), other);
    EXPECT_EQ(activities.Text3->Text(), "20240314-1");
    EXPECT_EQ(schedule.Caption(), "Day Schedule for - " + Conversions::dateText(other));
    ASSERT_EQ(grid().Rows(), 3);
    EXPECT_EQ(grid().TextMatrix(1, 0), "Alone");
    EXPECT_EQ(colouredSlots(1) + " / " + colouredSlots(2), "14:00 blue, 14:30 blue / 14:00 red, 14:30 red");

    activities.DTPicker1->pick(Day);
    EXPECT_EQ(schedule.DTPicker1->Value(), other);
    QTest::mouseClick(schedule.Command1, Qt::LeftButton);
    EXPECT_FALSE(schedule.isVisible());
    EXPECT_EQ(grid().TextMatrix(1, 0), "Alone");
    QTest::mouseClick(activities.Command6, Qt::LeftButton);
    EXPECT_TRUE(schedule.isVisible());
    EXPECT_EQ(schedule.DTPicker1->Value(), Day);
    EXPECT_EQ(grid().Rows(), 5);

    schedule.DTPicker1->pick(QDate(2024, 3, 15));
    EXPECT_EQ(activities.Combo3->ListCount(), 0);
    ASSERT_EQ(grid().Rows(), 1);
    EXPECT_EQ(rowTexts(0), headerRow());
    EXPECT_EQ(colouredSlots(0), "");
    EXPECT_EQ(colourAt(0, 0), 0u) << "the old total row's colour is gone";
}

}  // namespace
