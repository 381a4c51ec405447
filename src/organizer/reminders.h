#pragma once

namespace Module1 {

// Rebuilds the table of the reminders due today on the Notes window's hidden
// grid and raises the reminder of every appointment due in the current minute,
// once per minute. Run by the desk's minute timer; does nothing while
// ReminderCheckOff is set.
void CheckReminders();

// Shows the next raised reminder in the pop-up, or hides it when none waits.
void ShowNextReminder();

}  // namespace Module1
