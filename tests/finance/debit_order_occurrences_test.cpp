#include <gtest/gtest.h>

#include <QDate>
#include <QStringList>

#include "common/conversions.h"
#include "finance/debit_order_occurrences.h"

namespace {

QStringList occurrences(const QDate& start, const QDate& end) {
    QStringList dates;
    FinModule::ForEachDebitOrderOccurrence(Conversions::toSerialDate(start), Conversions::toSerialDate(end),
                                           [&](double date) {
                                               dates << Conversions::fromSerialDate(date).date().toString(Qt::ISODate);
                                           });
    return dates;
}

TEST(DebitOrderOccurrences, TheEndBoundsTheSeries) {
    EXPECT_EQ(occurrences(QDate(2001, 3, 15), QDate(2001, 3, 15)), QStringList{"2001-03-15"});
    EXPECT_EQ(occurrences(QDate(2001, 3, 15), QDate(2001, 3, 14)), QStringList());
    EXPECT_EQ(occurrences(QDate(2001, 3, 15), QDate(2001, 4, 14)), QStringList{"2001-03-15"});
    EXPECT_EQ(occurrences(QDate(9999, 11, 30), QDate(9999, 12, 31)), QStringList({"9999-11-30", "9999-12-30"}));

    // Damaged dates end the series instead of running on.
    int count = 0;
    FinModule::ForEachDebitOrderOccurrence(36900, 1e300, [&](double) { ++count; });
    EXPECT_LT(count, 12 * 8000 + 12);
    count = 0;
    FinModule::ForEachDebitOrderOccurrence(std::nan(""), 40000, [&](double) { ++count; });
    FinModule::ForEachDebitOrderOccurrence(-1e300, 40000, [&](double) { ++count; });
    FinModule::ForEachDebitOrderOccurrence(1e300, 1e301, [&](double) { ++count; });
    EXPECT_EQ(count, 0);
}

// The rule as the user reads it: from each occurrence, the same day of the
// next month counted from that month's first day.
QStringList byTheRule(QDate day, const QDate& end) {
    QStringList dates;
    while (day <= end) {
        dates << day.toString(Qt::ISODate);
        const QDate next = day.addMonths(1);
        day = QDate(next.year(), next.month(), 1).addDays(day.day() - 1);
    }
    return dates;
}

TEST(DebitOrderOccurrences, EveryStartDayOfSixYearsFollowsTheRule) {
    for (QDate start(1999, 11, 1); start < QDate(2005, 3, 1); start = start.addDays(1)) {
        const QDate end = start.addMonths(30);
        ASSERT_EQ(occurrences(start, end), byTheRule(start, end)) << start.toString(Qt::ISODate).toStdString();
    }
}

}  // namespace
