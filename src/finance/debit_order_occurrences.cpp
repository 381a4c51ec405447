#include "finance/debit_order_occurrences.h"

#include <algorithm>

#include "common/conversions.h"

namespace FinModule {

void ForEachDebitOrderOccurrence(double start, double end, const QDate& lastDay,
                                 const std::function<void(double date)>& visit) {
    static const double First = Conversions::toSerialDate(QDate(1601, 1, 1));
    static const double Last = Conversions::toSerialDate(QDate(9999, 12, 31)) + 1;
    end = std::min(end, Last);
    if (!(start >= First) || !(start <= end)) return;  // also dates that are no numbers
    const QDate first = Conversions::dayOfSerialDate(start);
    if (!lastDay.isValid() || first > lastDay) return;
    visit(start);
    // The later ones are whole days, each month's from its first day.
    const double until = std::min(end, Conversions::toSerialDate(lastDay));
    for (QDate month = QDate(first.year(), first.month(), 1).addMonths(1);; month = month.addMonths(1)) {
        const double date = Conversions::toSerialDate(month.addDays(std::min(first.day(), month.daysInMonth()) - 1));
        if (date > until) return;
        visit(date);
    }
}

}  // namespace FinModule
