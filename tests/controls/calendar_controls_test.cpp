#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "controls/date_picker.h"
#include "controls/month_calendar.h"
#include "support/double_click.h"

namespace {
QPoint centreOf(const MonthCalendar& calendar, const QDate& day) { return calendar.cellRect(calendar.cellOf(day)).center(); }
}  // namespace

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
