#pragma once
#include <functional>

namespace FinModule {

// The monthly occurrences of a debit order, which are never stored. The first
// is its start date; each next one is the same day of the following month,
// a day beyond that month's length carrying over into the month after
// (31 January gives 3 March, or 2 March in a leap year), so that a carried
// day stays from then on. None falls later than the end date; a start later
// than the end gives none. Dates are the files' 8-byte day counts; `visit`
// gets each occurrence in date order. Dates outside those the pickers allow
// (a damaged file) end the series there.
void ForEachDebitOrderOccurrence(double start, double end, const std::function<void(double date)>& visit);

}  // namespace FinModule
