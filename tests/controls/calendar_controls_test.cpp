#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "common/conversions.h"
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
    picker.show();
    picker.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&picker));
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
    QTest::keyClick(&picker, Qt::Key_Return);
    EXPECT_EQ(changes.count(), 2) << "Return leaves the date as it was";

    // Typing ends where the user turns to something else: an arrow steps from
    // the date typed, the focus leaving sets it, the program's date replaces it.
    picker.setValue(QDate(2025, 4, 5));
    picker.setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(&picker, "31");
    EXPECT_EQ(picker.text(), "31 Apr 2025");
    EXPECT_EQ(picker.Value(), QDate(2025, 4, 5)) << "31 April is no date";
    EXPECT_EQ(changes.count(), 2);
    QTest::keyClick(&picker, Qt::Key_Down);
    EXPECT_EQ(picker.Value(), QDate(2025, 3, 30)) << "30 April, a month back";
    EXPECT_EQ(changes.count(), 4);
    picker.setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(&picker, "2");
    picker.setValue(QDate(2001, 1, 1));
    EXPECT_EQ(picker.text(), "1 Jan 2001");
    picker.setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(&picker, "3");
    picker.clearFocus();
    EXPECT_EQ(picker.Value(), QDate(2001, 1, 3));
    EXPECT_EQ(changes.count(), 5);
}

namespace {
// Types as a keyboard does: Shift goes down before a capital and up after it.
void typeOnKeyboard(QWidget* widget, const char* text) {
    for (; *text; ++text) {
        const bool capital = QChar(*text).isUpper();
        if (capital) QTest::keyPress(widget, Qt::Key_Shift);
        QTest::keyClick(widget, *text, capital ? Qt::ShiftModifier : Qt::NoModifier);
        if (capital) QTest::keyRelease(widget, Qt::Key_Shift, Qt::ShiftModifier);
    }
}
}  // namespace

// A date typed part by part, in the order the picker shows the parts (the
// locale's short date), with or without separators, ends as typed whatever the
// picker showed before; a day its month lacks becomes the month's last day.
TEST(DatePicker, ADateTypedPartByPartEndsAsTyped) {
    const QLocale c = QLocale::c(), us(QLocale::English, QLocale::UnitedStates), de(QLocale::German, QLocale::Germany);
    struct Case {
        QLocale locale;
        QDate shown;
        const char* typed;
        QDate ends;
    };
    const Case cases[] = {
        {c, {2025, 3, 20}, "29Feb2024", {2024, 2, 29}},   {c, {2025, 3, 20}, "29 Feb 2024", {2024, 2, 29}},
        {c, {2025, 2, 28}, "30Apr2025", {2025, 4, 30}},   {c, {2025, 2, 28}, "30 Apr 2025", {2025, 4, 30}},
        {c, {2025, 2, 15}, "31Jan2025", {2025, 1, 31}},   {c, {2025, 2, 15}, "31 Jan 2025", {2025, 1, 31}},
        {c, {2025, 4, 30}, "31 Dec 2025", {2025, 12, 31}}, {c, {2025, 4, 30}, "31Dec2025", {2025, 12, 31}},
        {c, {2025, 1, 15}, "10 Feb 2024", {2024, 2, 10}}, {c, {2025, 1, 15}, "10Feb2024", {2024, 2, 10}},
        {c, {2025, 1, 15}, "31 Apr 2025", {2025, 4, 30}}, {c, {2025, 1, 15}, "1-f/1601", {1601, 2, 1}},
        {us, {2025, 3, 20}, "2/29/2024", {2024, 2, 29}},  {us, {2025, 3, 20}, "2292024", {2024, 2, 29}},
        {us, {2025, 2, 15}, "12 31 2025", {2025, 12, 31}}, {us, {2025, 2, 15}, "4/31/2025", {2025, 4, 30}},
        {de, {2025, 2, 28}, "30.04.2025", {2025, 4, 30}}, {de, {2025, 2, 28}, "30042025", {2025, 4, 30}},
    };
    const auto iso = [](const QDate& day) { return day.toString(Qt::ISODate).toStdString(); };
    for (const Case& t : cases) {
        SCOPED_TRACE(std::string(t.typed) + " over " + iso(t.shown));
        QLocale::setDefault(t.locale);
        QWidget window;
        auto* before = new QLineEdit(&window);
        auto* picker = new DatePicker(&window, QStringLiteral("DTPicker1"));
        picker->move(0, 40);
        picker->resize(200, 30);
        picker->setValue(t.shown);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QList<QDate> changes;
        QObject::connect(picker, &DatePicker::Change, [&] { changes.append(picker->Value()); });
        // The day chosen with a double click where the picker shows it first; else the picker entered with Tab.
        if (picker->sectionAt(0) == QDateTimeEdit::DaySection) {
            auto* edit = picker->findChild<QLineEdit*>();
            doubleClick(edit, QPoint(4, edit->height() / 2));
        } else {
            before->setFocus();
            QTest::keyClick(before, Qt::Key_Tab);
        }
        typeOnKeyboard(QApplication::focusWidget(), t.typed);
        EXPECT_EQ(iso(picker->Value()), iso(t.ends));
        EXPECT_EQ(picker->text().toStdString(), Conversions::dateText(t.ends).toStdString());
        EXPECT_EQ(changes.isEmpty() ? "none" : iso(changes.last()), iso(t.ends)) << "the last Change tells the date typed";
    }
    QLocale::setDefault(QLocale::c());
}
