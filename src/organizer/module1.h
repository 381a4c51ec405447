#pragma once
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <deque>
#include <functional>
#include <optional>

#include "common/record_file.h"
#include "common/record_range.h"

// The organizer's procedure module: its record files, shared flags and the
// procedures the organizer windows share.
namespace Module1 {

// A reminder that fell due, as its pop-up shows it.
struct DueReminder {
    QString subject, start, end, lead;
};

// Variables of the module, kept by the application object.
struct Variables {
    QString DataDirectory;
    bool EditMode = false;
    bool ReminderCheckOff = false;
    // Reminders due that wait for the pop-up shown before them to be dismissed,
    // in the order they fell due.
    std::deque<DueReminder> WaitingReminders;
    // The minute whose due reminders were raised last: a second run of the
    // check in that minute raises none.
    QDateTime RemindersRaisedFor;
    // The appointment the dialog edits: its place in the file, which follows
    // the deletions made meanwhile; -1 when it is gone or there is none.
    qint32 EditedAppointment = -1;
    QString EditedAppointmentId;
    bool EditedAppointmentDeleted = false;
    // The key of the address entry that "Edit Entry" opened in the entry
    // dialog, until its OK stores the edit or the edit is given up. The entry
    // stays in the file meanwhile, as it was.
    std::optional<QString> EditedAddressKey;
};
Variables& vars();

// The organizer's record files by file number.
enum FileNumber { AppointFile = 11, NotesFile = 12, AddBookFile = 13, PhotoFile = 14 };

// A file of entry blocks: entry i (from 0) owns records S*i+1 .. S*i+S-1;
// record S holds the entry count as a tagged value.
struct BlockFile {
    int number;
    int blockSize;
    RecordFile& file() const;
    qint32 record(qint32 entry, int field) const { return qint32(blockSize) * entry + field; }
    qint32 countRecord() const { return blockSize; }
    int fields() const { return blockSize - 1; }
    // The field records of an entry, to be changed in memory and written in one write.
    RecordRange fieldRecords(qint32 entry) const { return RecordRange(file(), record(entry, 1), fields()); }
};
inline constexpr BlockFile Appointments{AppointFile, 8};
inline constexpr BlockFile Notes{NotesFile, 3};
inline constexpr BlockFile AddressBook{AddBookFile, 16};

// The most entries a file holds: the range of its 2-byte count.
inline constexpr qint32 MaxEntries = 32767;

// Fields of an appointment block; the reminder flag is a 2-byte integer
// (-1 remind, 0 not), the others are strings.
namespace AppointmentField {
enum : int { Id = 1, Subject, Start, End, Reminder, Minutes, Description, Count = Description };
}
// Fields of an address block, all strings: the key "Surname, Name", the six
// phones from Home on, the birthday as dd/mm/yyyy (stored whether or not the
// entry has one) and its flag, "1" when the entry has a birthday.
namespace AddressField {
enum : int {
    Key = 1, Name, Surname, Address, Phone, Birthday = Phone + 6, BirthdayFlag, Email, HomePage, Notes,
    Count = Notes
};
}

// The entry count; a count that is not a non-negative integer reads as 0.
qint32 RecordCount(const BlockFile& file);
// Whether the count was written.
bool setRecordCount(const BlockFile& file, qint32 count);

// Stores `entry`, the field records of block `count`, as a new last entry: the
// records in one write, then the count that includes them, so that a failure
// part way leaves no trace. Returns whether both landed.
bool AppendEntry(const BlockFile& file, qint32 count, const RecordRange& entry);

// Removes entry `entry` (from 0) of the `count` entries: the later entries
// move down one block, each record whole, in one write; `adjust` may change
// each of them first (it is given the entry's new place and the range that
// holds it, addressed by record number). Then the count falls
// by one and the last block is blanked. A failure part way leaves whole
// entries only: the last one may show twice, none is ever mixed with another.
// Returns whether every step landed.
using EntryAdjustment = std::function<void(qint32 entry, RecordRange& records)>;
bool RemoveEntry(const BlockFile& file, qint32 entry, qint32 count, const EntryAdjustment& adjust = {});

// Locks the data folder for this organizer. When another organizer holds it,
// or it cannot be locked, says so and ends the program; gives false then.
bool LockDataDirectory(const QString& directory);

// Keys of a day: "yyyymmdd" and "dd/mm".
QString DayKey(const QDate& day);
QString BirthdayKey(const QDate& day);

// The day's half-hour times as the organizer writes them: slot 0 is "07:00",
// slot DaySlots - 1 is "23:30" and slot DaySlots, the end of the day, "24:00".
inline constexpr int DaySlots = 34;
QString SlotTime(int slot);

void OpenDataFiles();
void CloseDataFiles();
// Refills what the organizer windows show of data file `number`, after the
// file at its path was replaced under the program.
void ShowReplacedFile(int number);
// Closes the organizer's files and ends the program.
void CloseFilesAndEnd();

// Shows the desk's today marker while today has an appointment.
void ShowTodayMarker();
// Marks the days of the calendar's month that have appointments (red) and
// birthdays (blue), sets the today marker and empties the Activities window.
void MarkCalendarMonth();
// Whether address entry i has a birthday: its flag reads as the number 1.
bool HasBirthday(qint32 entry);

// The address book: the name list of the letter group, the entry it names,
// deleting it, and the entry dialog's entry (whether it was stored). An edit's
// entry replaces the one "Edit Entry" opened.
void FillAddressNameList();
void ShowAddressEntry();
void DeleteAddressEntry();
bool AddAddressEntry();
// "Edit Entry": the dialog's OK is to replace the entry the name list shows.
void BeginAddressEdit();
// The dialog leaves an open edit unstored; gives whether there was one.
bool GiveUpAddressEdit();

// The Activities window's day: its appointments and birthdays.
void LoadDayActivities();
// Shows the appointment chosen in the Activities window's subject list.
void ShowAppointment();
// Deletes the appointment shown in the Activities window.
void DeleteAppointment();
// Empties the Activities window's lists and the appointment it shows; its
// start and end boxes stay as they are. "Delete" and "Edit" are offered only
// while an appointment is shown.
void ClearDayActivities();
// Store the appointment dialog's input: as a new appointment at the end of the
// file, or over the appointment that "Edit" opened.
void AddAppointment();
void UpdateAppointment();
// "Edit" opens the appointment carrying the ID (the last one, as shown).
void BeginAppointmentEdit(const QString& id);
// Finds the appointment open for editing again, by its ID, in a file that
// was replaced meanwhile; it counts as deleted when the file has none.
void FindEditedAppointment();

}  // namespace Module1
