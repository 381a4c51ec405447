#pragma once
#include <QDate>
#include <cstdint>
#include <functional>

namespace FinModule {

// The monthly occurrences of a debit order, which are never stored. The first
// is its start date; then one in every following month on the start date's
// day of the month, or on the month's last day where the month is shorter (a
// debit order of 31 January falls on 28 February, or 29 February in a leap
// year, then on 31 March, 30 April and so on). None falls later than the end
// date; a start later than the end gives none. Only the occurrences on
// `lastDay` or before are made: the last day that the caller asks about, so
// that an end date far ahead costs nothing. Dates are the files' 8-byte day
// counts; `visit` gets each occurrence in date order. Dates outside those the
// pickers allow (a damaged file) end the series there.
void ForEachDebitOrderOccurrence(double start, double end, const QDate& lastDay,
                                 const std::function<void(double date)>& visit);
// How many occurrences ForEachDebitOrderOccurrence visits, counted without
// visiting them.
std::int64_t DebitOrderOccurrenceCount(double start, double end, const QDate& lastDay);

// The day on which a debit order that starts on day `startDay` of a month is
// paid in the given month: that day, or the month's last day where the month
// is shorter.
int DebitOrderPaymentDay(int startDay, int year, int month);

}  // namespace FinModule
