#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "controls/date_picker.h"
#include "controls/month_calendar.h"
#include "controls/up_down.h"
#include "support/double_click.h"

namespace {
QPoint centreOf(const MonthCalendar& calendar, const QDate& day) { return calendar.cellRect(calendar.cellOf(day)).center(); }
}  // namespace


TEST(MonthCalendar, SixWeeksFromSundayWithASundayMonthStartingInTheSecondRow) {
    MonthCalendar calendar(nullptr, QStringLiteral("Calendar1"));
    struct Case { QDate first; int cellOfFirst; };
    const Case cases[] = {
        {QDate(2024, 9, 1), 8},   // a Sunday: the first row is August's
        {QDate(2024, 6, 1), 7},   // a Saturday: first row, last column
        {QDate(2027, 2, 1), 2},   // a Monday
    };
    for (const Case& c : cases) {
        calendar.setValue(c.first.addDays(10));
        EXPECT_EQ(calendar.cellOf(c.first), c.cellOfFirst) << c.first.toString().toStdString();
        EXPECT_EQ(calendar.cellDate(c.cellOfFirst), c.first);
        for (int cell = 1; cell <= MonthCalendar::Cells; cell += 7) EXPECT_EQ(calendar.cellDate(cell).dayOfWeek(), 7);
    }
    calendar.setValue(QDate(2024, 12, 15));  // begins on a Sunday and has 31 days: the latest a day can lie
    EXPECT_EQ(calendar.cellOf(QDate(2024, 12, 31)), 38);
    EXPECT_EQ(calendar.cellOf(QDate(2025, 1, 4)), 42);
    EXPECT_EQ(calendar.cellOf(QDate(2025, 1, 5)), 0);
}

TEST(MonthCalendar, UserChangesRaiseAfterUpdateAndCodeRaisesNothing) {
    MonthCalendar calendar(nullptr, QStringLiteral("Calendar1"));
    calendar.Move(0, 0, 7935, 5295);
    calendar.show();
    QSignalSpy updates(&calendar, &MonthCalendar::AfterUpdate);
    QSignalSpy doubleClicks(&calendar, &MonthCalendar::DblClick);

    calendar.setValue(QDate(2024, 3, 7));
    EXPECT_EQ(updates.count(), 0);

    QTest::mouseClick(&calendar, Qt::LeftButton, {}, centreOf(calendar, QDate(2024, 3, 20)));
    EXPECT_EQ(calendar.Value(), QDate(2024, 3, 20));
    EXPECT_EQ(updates.count(), 1);
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, centreOf(calendar, QDate(2024, 3, 20)));
    EXPECT_EQ(updates.count(), 1) << "the day already chosen is no change";

    // A greyed day of the next month brings that month up.
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, centreOf(calendar, QDate(2024, 4, 2)));
    EXPECT_EQ(calendar.Value(), QDate(2024, 4, 2));
    EXPECT_EQ(updates.count(), 2);

    doubleClick(&calendar, centreOf(calendar, QDate(2024, 4, 18)));
    EXPECT_EQ(calendar.Value(), QDate(2024, 4, 18));
    EXPECT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(updates.count(), 3);

    QTest::keyClick(&calendar, Qt::Key_Down);
    QTest::keyClick(&calendar, Qt::Key_PageDown);
    EXPECT_EQ(calendar.Value(), QDate(2024, 5, 25));
    EXPECT_EQ(updates.count(), 5);
    EXPECT_EQ(doubleClicks.count(), 1);
}

TEST(MonthCalendar, PlacedCellsLieWhereTheyAreGivenInTwips) {
    MonthCalendar calendar(nullptr, QStringLiteral("Calendar1"));
    calendar.Move(0, 0, 7935, 5295);
    calendar.setDayCells(240, 1080, {1080, 1800, 2520, 3240, 3840, 4560, 5280}, QRectF(0, 0, 7935, 780));
    EXPECT_EQ(calendar.cellRect(1), QRect(16, 72, 72, 48));
    EXPECT_EQ(calendar.cellRect(29), QRect(16, 256, 72, 48));  // row 4 begins 600 twips after row 3
    EXPECT_EQ(calendar.cellRect(42), QRect(448, 304, 72, 48));
}

TEST(DatePicker, OnlyTheUserChangingTheDateRaisesChange) {
    DatePicker picker(nullptr, QStringLiteral("DTPicker1"));
    QSignalSpy changes(&picker, &DatePicker::Change);
    picker.setValue(QDate(2024, 3, 7));
    picker.setValue(QDate(1601, 1, 1));
    EXPECT_EQ(picker.Value(), QDate(1601, 1, 1)) << "dates from 1601 on are kept, not clamped";
    EXPECT_EQ(changes.count(), 0);

    picker.pick(QDate(2024, 3, 8));
    picker.pick(QDate(2024, 3, 8));
    EXPECT_EQ(changes.count(), 1);

    picker.setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(&picker, Qt::Key_Up);
    EXPECT_EQ(picker.Value(), QDate(2024, 3, 9));
    EXPECT_EQ(changes.count(), 2);
}

TEST(UpDown, TheLeftArrowRunsDownClickAndTheRightArrowUpClick) {
    UpDown upDown(nullptr, QStringLiteral("UpDown1"));
    upDown.Move(0, 0, 852, 240);
    upDown.show();
    QSignalSpy ups(&upDown, &UpDown::UpClick);
    QSignalSpy downs(&upDown, &UpDown::DownClick);
    QTest::mouseClick(upDown.downButton(), Qt::LeftButton);
    QTest::mouseClick(upDown.downButton(), Qt::LeftButton);
    QTest::mouseClick(upDown.upButton(), Qt::LeftButton);
    EXPECT_EQ(downs.count(), 2);
    EXPECT_EQ(ups.count(), 1);
    EXPECT_LT(upDown.downButton()->x(), upDown.upButton()->x());
}
