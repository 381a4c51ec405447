#pragma once

namespace Module1 {

// Rebuilds the table of today's reminders on the Notes window's hidden grid
// and pops up the reminder of every appointment due in the current minute.
// Run by the desk's minute timer; does nothing while ReminderCheckOff is set.
void CheckReminders();

}  // namespace Module1
