#include "finance/debit_order_occurrences.h"

#include <algorithm>

#include "common/conversions.h"

namespace FinModule {

namespace {
int monthLength(int year, int month) {
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && QDate::isLeapYear(year) ? 29 : Days[month - 1];
}
}  // namespace

int DebitOrderPaymentDay(int startDay, int year, int month) { return std::min(startDay, monthLength(year, month)); }

void ForEachDebitOrderOccurrence(double start, double end, const QDate& lastDay,
                                 const std::function<void(double date)>& visit) {
    static const double First = Conversions::toSerialDate(QDate(1601, 1, 1));
    static const double Last = Conversions::toSerialDate(QDate(9999, 12, 31)) + 1;
    end = std::min(end, Last);
    if (!(start >= First) || !(start <= end)) return;  // also dates that are no numbers
    const QDate first = Conversions::dayOfSerialDate(start);
    if (!lastDay.isValid() || first > lastDay) return;
    visit(start);
    // The later ones are whole days, counted from the first of their month:
    // each month's first day is the one before it plus that month's length.
    const double until = std::min(end, Conversions::toSerialDate(lastDay));
    int year = first.year(), month = first.month();
    const int day = first.day();
    double monthStart = Conversions::toSerialDate(QDate(year, month, 1));
    for (;;) {
        monthStart += monthLength(year, month);
        if (++month == 13) {
            month = 1;
            ++year;
        }
        const double date = monthStart + DebitOrderPaymentDay(day, year, month) - 1;
        if (date > until) return;
        visit(date);
    }
}

}  // namespace FinModule
