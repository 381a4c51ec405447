#include "finance/debit_order_occurrences.h"

#include <QDate>
#include <algorithm>

#include "common/conversions.h"

namespace FinModule {

void ForEachDebitOrderOccurrence(double start, double end, const std::function<void(double date)>& visit) {
    static const double First = Conversions::toSerialDate(QDate(1601, 1, 1));
    static const double Last = Conversions::toSerialDate(QDate(9999, 12, 31)) + 1;
    static const qint64 EpochDay = QDate(1899, 12, 30).toJulianDay();
    if (!(start >= First) || !(start <= end)) return;  // also dates that are no numbers
    end = std::min(end, Last);
    visit(start);
    // Each next date is built from the one before, as whole days.
    QDate day = Conversions::fromSerialDate(start).date();
    for (;;) {
        const int month = day.month() % 12 + 1;
        day = QDate(day.year() + (month == 1 ? 1 : 0), month, 1).addDays(day.day() - 1);
        const double date = double(day.toJulianDay() - EpochDay);
        if (date > end) return;
        visit(date);
    }
}

}  // namespace FinModule
