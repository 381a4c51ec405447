#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "controls/date_picker.h"
#include "controls/month_calendar.h"
#include "support/double_click.h"

// Setting a date from code raises nothing; the user's clicks and keys do.
TEST(MonthCalendar, UserChangesRaiseAfterUpdateAndCodeRaisesNothing) {
    MonthCalendar calendar(nullptr, QStringLiteral("Calendar1"));
    calendar.Move(0, 0, 7935, 5295);
    calendar.show();
    const auto at = [&](const QDate& day) { return calendar.cellRect(calendar.cellOf(day)).center(); };
    QSignalSpy updates(&calendar, &MonthCalendar::AfterUpdate);
    QSignalSpy doubleClicks(&calendar, &MonthCalendar::DblClick);

    calendar.setValue(QDate(2024, 3, 7));
    for (int i = 0; i < 2; ++i) QTest::mouseClick(&calendar, Qt::LeftButton, {}, at(QDate(2024, 3, 20)));
    EXPECT_EQ(calendar.Value(), QDate(2024, 3, 20));
    EXPECT_EQ(updates.count(), 1) << "the day already chosen is no change";
    // A greyed day of the next month brings that month up.
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, at(QDate(2024, 4, 2)));
    EXPECT_EQ(calendar.Value(), QDate(2024, 4, 2));
    doubleClick(&calendar, at(QDate(2024, 4, 18)));
    EXPECT_EQ(doubleClicks.count(), 1);
    QTest::keyClick(&calendar, Qt::Key_Down);
    QTest::keyClick(&calendar, Qt::Key_PageDown);
    EXPECT_EQ(calendar.Value(), QDate(2024, 5, 25));
    EXPECT_EQ(updates.count(), 5);
    EXPECT_EQ(doubleClicks.count(), 1);
}

TEST(DatePicker, OnlyTheUserChangingTheDateRaisesChange) {
    DatePicker picker(nullptr, QStringLiteral("DTPicker1"));
    QSignalSpy changes(&picker, &DatePicker::Change);
    picker.setValue(QDate(1601, 1, 1));
    EXPECT_EQ(picker.Value(), QDate(1601, 1, 1)) << "dates from 1601 on are kept, not clamped";
    picker.pick(QDate(2024, 3, 8));
    picker.pick(QDate(2024, 3, 8));
    EXPECT_EQ(changes.count(), 1);
    picker.setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(&picker, Qt::Key_Up);
    EXPECT_EQ(picker.Value(), QDate(2024, 3, 9));
    EXPECT_EQ(changes.count(), 2);
}
