#include "finance/debit_order_occurrences.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/conversions.h"

namespace FinModule {

namespace {
int monthLength(int year, int month) {
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && QDate::isLeapYear(year) ? 29 : Days[month - 1];
}
}  // namespace

int DebitOrderPaymentDay(int startDay, int year, int month) { return std::min(startDay, monthLength(year, month)); }

namespace {
// A series that has occurrences: its start, the start's day, and the last
// day count that an occurrence may fall on.
struct Series {
    double start;
    QDate first;
    double until;
};

std::optional<Series> seriesOf(double start, double end, const QDate& lastDay) {
    static const double First = Conversions::toSerialDate(QDate(1601, 1, 1));
    static const double Last = Conversions::toSerialDate(QDate(9999, 12, 31)) + 1;
    end = std::min(end, Last);
    if (!(start >= First) || !(start <= end)) return std::nullopt;  // also dates that are no numbers
    const QDate first = Conversions::dayOfSerialDate(start);
    if (!lastDay.isValid() || first > lastDay) return std::nullopt;
    return Series{start, first, std::min(end, Conversions::toSerialDate(lastDay))};
}
}  // namespace

void ForEachDebitOrderOccurrence(double start, double end, const QDate& lastDay,
                                 const std::function<void(double date)>& visit) {
    const std::optional<Series> series = seriesOf(start, end, lastDay);
    if (!series) return;
    visit(series->start);
    // The later ones are whole days, counted from the first of their month:
    // each month's first day is the one before it plus that month's length.
    int year = series->first.year(), month = series->first.month();
    const int day = series->first.day();
    double monthStart = Conversions::toSerialDate(QDate(year, month, 1));
    for (;;) {
        monthStart += monthLength(year, month);
        if (++month == 13) {
            month = 1;
            ++year;
        }
        const double date = monthStart + DebitOrderPaymentDay(day, year, month) - 1;
        if (date > series->until) return;
        visit(date);
    }
}

std::int64_t DebitOrderOccurrenceCount(double start, double end, const QDate& lastDay) {
    const std::optional<Series> series = seriesOf(start, end, lastDay);
    if (!series) return 0;
    // The start, then one in each month after it up to the month of the
    // last day, where it counts once its day has come.
    const QDate last = Conversions::dayOfSerialDate(std::floor(series->until));
    const std::int64_t months =
        std::int64_t(last.year() - series->first.year()) * 12 + (last.month() - series->first.month());
    if (months <= 0) return 1;
    const bool inLastMonth = DebitOrderPaymentDay(series->first.day(), last.year(), last.month()) <= last.day();
    return months + (inLastMonth ? 1 : 0);
}

}  // namespace FinModule
