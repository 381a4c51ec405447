#pragma once

namespace Module1 {

// Draws the day that the Activities window lists on the day schedule window:
// its caption names the day, row 0 holds the half-hour slots, then one row per
// listed appointment, blue on the slots it occupies, and a last row "Total
// Occupation", red where one appointment occupies a slot and dark red where
// several do. A day without appointments gets the header row only.
void BuildDaySchedule();

}  // namespace Module1
