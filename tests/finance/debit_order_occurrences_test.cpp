#include <gtest/gtest.h>

#include <QDate>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "common/conversions.h"
#include "finance/debit_order_occurrences.h"

namespace {

const QDate LastPickableDay(9999, 12, 31);

// The occurrences visited; their count, which the sums take without
// visiting them, is checked against them each time.
QStringList occurrences(const QDate& start, const QDate& end, const QDate& lastDay = LastPickableDay) {
    QStringList dates;
    FinModule::ForEachDebitOrderOccurrence(Conversions::toSerialDate(start), Conversions::toSerialDate(end), lastDay,
                                           [&](double date) {
                                               dates << Conversions::fromSerialDate(date).date().toString(Qt::ISODate);
                                           });
    EXPECT_EQ(FinModule::DebitOrderOccurrenceCount(Conversions::toSerialDate(start), Conversions::toSerialDate(end),
                                                   lastDay),
              dates.size())
        << start.toString(Qt::ISODate).toStdString() << " to " << end.toString(Qt::ISODate).toStdString();
    return dates;
}

TEST(DebitOrderOccurrences, TheEndBoundsTheSeries) {
    EXPECT_EQ(occurrences(QDate(2001, 3, 15), QDate(2001, 3, 15)), QStringList{"2001-03-15"});
    EXPECT_EQ(occurrences(QDate(2001, 3, 15), QDate(2001, 3, 14)), QStringList());
    EXPECT_EQ(occurrences(QDate(2001, 3, 15), QDate(2001, 4, 14)), QStringList{"2001-03-15"});
    EXPECT_EQ(occurrences(QDate(9999, 11, 30), QDate(9999, 12, 31)), QStringList({"9999-11-30", "9999-12-30"}));

    // Damaged dates end the series instead of running on.
    int count = 0;
    const auto counted = [&](double) { ++count; };
    FinModule::ForEachDebitOrderOccurrence(36900, 1e300, LastPickableDay, counted);
    EXPECT_LT(count, 12 * 8000 + 12);
    count = 0;
    FinModule::ForEachDebitOrderOccurrence(std::nan(""), 40000, LastPickableDay, counted);
    FinModule::ForEachDebitOrderOccurrence(-1e300, 40000, LastPickableDay, counted);
    FinModule::ForEachDebitOrderOccurrence(1e300, 1e301, LastPickableDay, counted);
    FinModule::ForEachDebitOrderOccurrence(36900, 40000, QDate(), counted);
    EXPECT_EQ(count, 0);
    for (const auto& [start, end] : std::initializer_list<std::pair<double, double>>{
             {std::nan(""), 40000}, {-1e300, 40000}, {1e300, 1e301}, {40000, 36900}})
        EXPECT_EQ(FinModule::DebitOrderOccurrenceCount(start, end, LastPickableDay), 0);
    // From the first day a picker offers to the last: every month of those years.
    EXPECT_EQ(FinModule::DebitOrderOccurrenceCount(Conversions::toSerialDate(QDate(1601, 1, 31)), 1e300,
                                                   LastPickableDay),
              (9999 - 1601 + 1) * 12);
}

// A payment on the 31st falls on the last day of each shorter month and
// comes back to the 31st where the month has one.
TEST(DebitOrderOccurrences, ADayTheMonthLacksIsItsLastDay) {
    EXPECT_EQ(occurrences(QDate(2001, 1, 31), QDate(2001, 12, 31)),
              QStringList({"2001-01-31", "2001-02-28", "2001-03-31", "2001-04-30", "2001-05-31", "2001-06-30",
                           "2001-07-31", "2001-08-31", "2001-09-30", "2001-10-31", "2001-11-30", "2001-12-31"}));
    EXPECT_EQ(occurrences(QDate(2024, 1, 30), QDate(2024, 4, 30)),
              QStringList({"2024-01-30", "2024-02-29", "2024-03-30", "2024-04-30"}));
    EXPECT_EQ(occurrences(QDate(2023, 12, 29), QDate(2024, 3, 29)),
              QStringList({"2023-12-29", "2024-01-29", "2024-02-29", "2024-03-29"}));
    EXPECT_EQ(occurrences(QDate(2100, 1, 29), QDate(2100, 3, 29)),
              QStringList({"2100-01-29", "2100-02-28", "2100-03-29"}));
}

// The rule as the user reads it: the start day in every month, or the
// month's last day where the month is shorter.
QStringList byTheRule(const QDate& start, const QDate& end) {
    QStringList dates;
    for (int months = 0;; ++months) {
        const QDate month = QDate(start.year(), start.month(), 1).addMonths(months);
        const QDate day(month.year(), month.month(), std::min(start.day(), month.daysInMonth()));
        if (day > end) return dates;
        dates << day.toString(Qt::ISODate);
    }
}

TEST(DebitOrderOccurrences, EveryStartDayOfSixYearsFollowsTheRule) {
    for (QDate start(1999, 11, 1); start < QDate(2005, 3, 1); start = start.addDays(1)) {
        const QDate end = start.addMonths(30);
        ASSERT_EQ(occurrences(start, end), byTheRule(start, end)) << start.toString(Qt::ISODate).toStdString();
    }
}

// Asking up to a day gives the series that ends there, whatever the end date:
// around the ends of months, of a leap February and of the last pickable year
// (an end beyond it ends there).
TEST(DebitOrderOccurrences, AskingUpToADayCutsTheSameSeriesThere) {
    const QDate starts[] = {QDate(2003, 12, 28), QDate(2003, 12, 29), QDate(2003, 12, 30), QDate(2003, 12, 31),
                            QDate(2004, 1, 1),   QDate(9998, 10, 31)};
    for (const QDate& start : starts) {
        const QDate ends[] = {start.addMonths(2), start.addMonths(13), start.addYears(5)};
        for (const QDate& end : ends) {
            const QStringList all = occurrences(start, end);
            for (QDate lastDay = start.addDays(-1); lastDay <= start.addMonths(14); lastDay = lastDay.addDays(1)) {
                // ISO dates of four-digit years sort as the days do.
                const auto after = std::upper_bound(all.begin(), all.end(), lastDay.toString(Qt::ISODate));
                ASSERT_EQ(occurrences(start, end, lastDay), all.mid(0, after - all.begin()))
                    << start.toString(Qt::ISODate).toStdString() << " to " << end.toString(Qt::ISODate).toStdString()
                    << " asked up to " << lastDay.toString(Qt::ISODate).toStdString();
            }
        }
    }
    // A start with a time of day counts on its day.
    QStringList dates;
    FinModule::ForEachDebitOrderOccurrence(Conversions::toSerialDate(QDate(2024, 3, 7)) + 0.5,
                                           Conversions::toSerialDate(QDate(2030, 3, 7)), QDate(2024, 3, 7),
                                           [&](double date) { dates << Conversions::dateText(Conversions::dayOfSerialDate(date)); });
    EXPECT_EQ(dates, QStringList{Conversions::dateText(QDate(2024, 3, 7))});
}

}  // namespace
