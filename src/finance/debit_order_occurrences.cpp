#include "finance/debit_order_occurrences.h"

#include <QDate>
#include <algorithm>

#include "common/conversions.h"

namespace FinModule {

void ForEachDebitOrderOccurrence(double start, double end, const std::function<void(double date)>& visit) {
    static const double First = Conversions::toSerialDate(QDate(1601, 1, 1));
    static const double Last = Conversions::toSerialDate(QDate(9999, 12, 31)) + 1;
    static const qint64 EpochDay = QDate(1899, 12, 30).toJulianDay();
    end = std::min(end, Last);
    if (!(start >= First) || !(start <= end)) return;  // also dates that are no numbers
    visit(start);
    // Each next date is built from the one before, as whole days: the same
    // day of the next month, or the days beyond that month's length into the
    // month after it (no month is shorter than 28 days, so never further).
    static constexpr int MonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int year = 0, month = 0, day = 0;
    Conversions::fromSerialDate(start).date().getDate(&year, &month, &day);
    const auto nextMonth = [&] {
        if (++month == 13) {
            month = 1;
            ++year;
        }
    };
    for (;;) {
        nextMonth();
        const int length = month == 2 && QDate::isLeapYear(year) ? 29 : MonthLength[month - 1];
        if (day > length) {
            day -= length;
            nextMonth();
        }
        const double date = double(QDate(year, month, day).toJulianDay() - EpochDay);
        if (date > end) return;
        visit(date);
    }
}

}  // namespace FinModule
