#pragma once
#include <QDate>
#include <QString>

#include "common/record_file.h"

// The organizer's procedure module: its record files, shared flags and the
// procedures the organizer windows share.
namespace Module1 {

// Variables of the module, kept by the application object.
struct Variables {
    QString DataDirectory;
    bool EditMode = false;
    bool ReminderCheckOff = false;
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
};
inline constexpr BlockFile Appointments{AppointFile, 8};
inline constexpr BlockFile Notes{NotesFile, 3};
inline constexpr BlockFile AddressBook{AddBookFile, 16};

// The most entries a file holds: the range of its 2-byte count.
inline constexpr qint32 MaxEntries = 32767;

// The entry count; a count that is not a non-negative integer reads as 0.
qint32 RecordCount(const BlockFile& file);
void setRecordCount(const BlockFile& file, qint32 count);

// Keys of a day: "yyyymmdd" and "dd/mm".
QString DayKey(const QDate& day);
QString BirthdayKey(const QDate& day);

void OpenDataFiles();
void CloseDataFiles();
// Closes the organizer's files and ends the program.
void CloseFilesAndEnd();

// Shows the desk's today marker while today has an appointment.
void ShowTodayMarker();

}  // namespace Module1
