#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <set>

#include "desk/desk_window.h"
#include "organizer/activities_window.h"
#include "organizer/calendar_window.h"
#include "support/address_entries.h"
#include "support/appointment_files.h"
#include "support/double_click.h"

namespace {
using Markers = std::array<PictureBox*, 43>;

std::set<int> shownCells(const Markers& markers) {
    std::set<int> cells;
    for (int i = 1; i <= MonthCalendar::Cells; ++i)
        if (markers[i]->Visible()) cells.insert(i);
    return cells;
}
}  // namespace

class CalendarWindowTest : public AppointmentTest {
protected:
    Form1& openCalendar() {
        app().window<Desk>().Calendar->trigger();
        QCoreApplication::processEvents();
        return app().window<Form1>();
    }
    void showMonth(Form1& calendar, const QDate& day) {
        calendar.Calendar1->setValue(day);
        Module1::MarkCalendarMonth();
    }
};

TEST_F(CalendarWindowTest, EveryMarkerLiesInsideTheDayCellOfItsNumber) {
    Form1& calendar = openCalendar();
    for (int i = 1; i <= MonthCalendar::Cells; ++i) {
        const QRect cell = calendar.Calendar1->cellRect(i).translated(calendar.Calendar1->pos());
        EXPECT_TRUE(cell.contains(calendar.Picture1[i]->geometry())) << "Picture1(" << i << ")";
        EXPECT_TRUE(cell.contains(calendar.Picture2[i]->geometry())) << "Picture2(" << i << ")";
        EXPECT_EQ(calendar.Picture2[i]->objectName(), QStringLiteral("Picture2(%1)").arg(i));
    }
}

TEST_F(CalendarWindowTest, OpensOnTodaysMonthWithADotPerDayOfAppointmentsAndBirthdays) {
    storeAppointments({"20240301-1", "20240307-1", "20240307-2", "20240229-1", "20240401-1", "2024031", "20240331-1"});
    storeEntry(person("Smith", "Anna", "07/03/1980", "1"));
    storeEntry(person("Brown", "Bob", "20/03/1975", "1"));
    storeEntry(person("Green", "Gil", "21/03/1960", "0"));  // no birthday ticked
    storeEntry(person("White", "Wes", "21/04/1960", "1"));

    Form1& calendar = openCalendar();
    EXPECT_TRUE(calendar.isVisible());
    EXPECT_EQ(calendar.Calendar1->Value(), QDate(2024, 3, 7));
    // 1 March 2024 is a Friday: day d lies in cell 5 + d.
    EXPECT_EQ(shownCells(calendar.Picture2), (std::set<int>{6, 12, 36}));
    EXPECT_EQ(shownCells(calendar.Picture1), (std::set<int>{12, 25}));
    EXPECT_TRUE(calendar.Picture1[0]->Visible() && calendar.Picture2[0]->Visible()) << "the legend's dots";
    EXPECT_TRUE(app().window<Desk>().Image43->Visible()) << "today has an appointment";
}

TEST_F(CalendarWindowTest, MonthsBeginningOnSundayOrSaturdayAndThe29FebruaryBirthday) {
    storeAppointments({"20240901-1", "20240930-1", "20241231-1", "20240601-1", "20270301-1"});
    storeEntry(person("Leap", "Lea", "29/02/1996", "1"));
    Form1& calendar = openCalendar();

    showMonth(calendar, QDate(2024, 9, 15));  // begins on a Sunday
    EXPECT_EQ(shownCells(calendar.Picture2), (std::set<int>{8, 37}));
    showMonth(calendar, QDate(2024, 12, 1));  // a Sunday too, with 31 days
    EXPECT_EQ(shownCells(calendar.Picture2), (std::set<int>{38}));
    showMonth(calendar, QDate(2024, 6, 1));  // begins on a Saturday
    EXPECT_EQ(shownCells(calendar.Picture2), (std::set<int>{7}));

    // February 2027 begins on a Monday and has 28 days: the birthday marks the
    // cell after the 28th, where 1 March shows greyed; 1 March's appointment is not marked.
    showMonth(calendar, QDate(2027, 2, 10));
    EXPECT_EQ(shownCells(calendar.Picture1), (std::set<int>{30}));
    EXPECT_TRUE(shownCells(calendar.Picture2).empty());
    showMonth(calendar, QDate(2027, 3, 10));
    EXPECT_EQ(shownCells(calendar.Picture2), (std::set<int>{2}));
    EXPECT_TRUE(shownCells(calendar.Picture1).empty());
}

TEST_F(CalendarWindowTest, TheArrowsStepToTheFirstOfTheNextOrPreviousMonthAcrossYearEnds) {
    storeAppointments({"20270101-1", "20261231-1"});
    Form1& calendar = openCalendar();
    showMonth(calendar, QDate(2026, 12, 31));
    QTest::mouseClick(calendar.UpDown1->upButton(), Qt::LeftButton);
    EXPECT_EQ(calendar.Calendar1->Value(), QDate(2027, 1, 1));
    EXPECT_EQ(shownCells(calendar.Picture2), (std::set<int>{6}));  // a Friday
    QTest::mouseClick(calendar.UpDown1->downButton(), Qt::LeftButton);
    EXPECT_EQ(calendar.Calendar1->Value(), QDate(2026, 12, 1));
    EXPECT_EQ(shownCells(calendar.Picture2), (std::set<int>{33}));

    showMonth(calendar, QDate(2025, 1, 31));
    QTest::mouseClick(calendar.UpDown1->upButton(), Qt::LeftButton);
    EXPECT_EQ(calendar.Calendar1->Value(), QDate(2025, 2, 1));

    // "Close" keeps the month; the close box starts afresh on today.
    QTest::mouseClick(calendar.Command1, Qt::LeftButton);
    EXPECT_FALSE(calendar.isVisible());
    EXPECT_EQ(openCalendar().Calendar1->Value(), QDate(2025, 2, 1));
    calendar.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app().existingWindow<Form1>(), nullptr);
    EXPECT_EQ(openCalendar().Calendar1->Value(), QDate(2024, 3, 7));
}

// Every Activities test opens its day by a double click on the calendar.
TEST_F(CalendarWindowTest, AClickRefreshesTheDotsAndEmptiesTheActivitiesWindow) {
    storeAppointments({"20240307-1", "20240320-1", "20240320-2"});
    Form1& calendar = openCalendar();
    Form4& activities = openDay(QDate(2024, 3, 20));
    ASSERT_EQ(activities.Combo3->ListCount(), 2);

    storeAppointments({"20240321-1"});
    const QDate day(2024, 3, 22);
    QTest::mouseClick(calendar.Calendar1, Qt::LeftButton, {}, calendar.Calendar1->cellRect(calendar.Calendar1->cellOf(day)).center());
    EXPECT_EQ(shownCells(calendar.Picture2), (std::set<int>{12, 25, 26}));
    EXPECT_EQ(activities.Combo3->ListCount(), 0);
    EXPECT_EQ(activities.Text3->Text(), QStringLiteral("ID"));
    EXPECT_EQ(activities.Text4->Text(), QStringLiteral("09:00")) << "start and end stay";
}

// The title's month name opens a menu of the months and its year a box for
// the year. The day stays where the new month has it, else the month's last
// day; the dots follow as after any change of the date.
TEST_F(CalendarWindowTest, TheTitleChoosesTheMonthAndTheYearAndTheDotsFollow) {
    storeAppointments({"20241231-1", "20270228-1"});
    Form1& calendar = openCalendar();
    MonthCalendar* month = calendar.Calendar1;
    showMonth(calendar, QDate(2024, 3, 31));
    auto* menu = month->findChild<QMenu*>();
    auto* yearBox = month->findChild<QSpinBox*>();
    ASSERT_TRUE(menu && yearBox);
    auto chooseMonth = [&](int number) {
        QTest::mouseClick(month, Qt::LeftButton, {}, month->monthTitleRect().center());
        ASSERT_TRUE(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().at(number - 1)).center());
        EXPECT_FALSE(menu->isVisible());
    };
    auto openYear = [&] {
        QTest::mouseClick(month, Qt::LeftButton, {}, month->yearTitleRect().center());
        ASSERT_TRUE(yearBox->isVisible());
    };

    chooseMonth(12);
    EXPECT_EQ(month->Value(), QDate(2024, 12, 31));
    EXPECT_EQ(shownCells(calendar.Picture2), std::set<int>{38}) << "December 2024 begins on a Sunday";
    openYear();
    QTest::keyClicks(yearBox, "2027");
    EXPECT_EQ(month->Value(), QDate(2024, 12, 31)) << "a year counts once it is confirmed";
    QTest::keyClick(yearBox, Qt::Key_Return);
    EXPECT_FALSE(yearBox->isVisible());
    EXPECT_EQ(month->Value(), QDate(2027, 12, 31));
    EXPECT_TRUE(shownCells(calendar.Picture2).empty());
    chooseMonth(2);
    EXPECT_EQ(month->Value(), QDate(2027, 2, 28));
    EXPECT_EQ(shownCells(calendar.Picture2), std::set<int>{29});

    // The box's arrows count at each step; Escape leaves the year as it was.
    openYear();
    QTest::keyClick(yearBox, Qt::Key_Up);
    EXPECT_EQ(month->Value(), QDate(2028, 2, 28));
    EXPECT_TRUE(shownCells(calendar.Picture2).empty());
    QTest::keyClicks(yearBox, "1999");
    QTest::keyClick(yearBox, Qt::Key_Escape);
    EXPECT_FALSE(yearBox->isVisible());
    EXPECT_EQ(month->Value(), QDate(2028, 2, 28));
}

TEST_F(CalendarWindowTest, TheTodayMarkerFollowsTheFileOnlyWhenTheMarkersAreRefreshed) {
    Desk& desk = app().window<Desk>();
    Form1& calendar = openCalendar();
    EXPECT_FALSE(desk.Image43->Visible());

    storeAppointments({"20240307-1"});
    EXPECT_FALSE(desk.Image43->Visible());
    Module1::ShowTodayMarker();
    EXPECT_TRUE(desk.Image43->Visible());

    // Past midnight the marker keeps yesterday's state until the next refresh.
    clock->set(QDateTime(QDate(2024, 3, 8), QTime(0, 0, 30)));
    EXPECT_TRUE(desk.Image43->Visible());
    showMonth(calendar, QDate(2025, 6, 1));  // another month shown: the marker still follows today
    EXPECT_FALSE(desk.Image43->Visible());
}
