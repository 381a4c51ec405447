#include <QDir>
#include <algorithm>

#include "common/application.h"
#include "desk/module2.h"
#include "organizer/activities_window.h"
#include "organizer/address_book_window.h"
#include "organizer/calendar_window.h"
#include "organizer/day_schedule.h"
#include "organizer/day_schedule_window.h"
#include "organizer/module1.h"
#include "organizer/notes.h"
#include "organizer/notes_window.h"

namespace Module1 {

Variables& vars() { return app().state<Variables>(); }

RecordFile& BlockFile::file() const { return app().files()[number]; }

qint32 RecordCount(const BlockFile& file) {
    const TaggedValue count = file.file().readTagged(file.countRecord());
    return count.kind == TaggedValue::Kind::Integer && count.integer > 0 ? count.integer : 0;
}

bool setRecordCount(const BlockFile& file, qint32 count) {
    return file.file().writeTagged(file.countRecord(), TaggedValue::ofInteger(qint16(count))) == RecordFile::Write::Done;
}

bool AppendEntry(const BlockFile& blocks, qint32 count, const RecordRange& entry) {
    return entry.writeTo(blocks.file()) == RecordFile::Write::Done && setRecordCount(blocks, count + 1);
}

bool RemoveEntry(const BlockFile& blocks, qint32 entry, qint32 count, const EntryAdjustment& adjust) {
    if (entry < 0 || entry >= count) return false;
    RecordFile& file = blocks.file();
    const qint32 fields = blocks.fields();

    // The moved entries, in their new places: every field record is taken
    // whole from the next block; the count record and the unused records
    // between the blocks stay as they are.
    if (entry < count - 1) {
        const qint32 first = blocks.record(entry, 1);
        RecordRange range(file, first, blocks.record(count - 1, fields) - first + 1);  // the last block too: the last source
        for (qint32 e = entry; e < count - 1; ++e) {
            range.copyRecords(blocks.record(e + 1, 1), blocks.record(e, 1), fields);
            if (adjust) adjust(e, range);
        }
        range.truncate(blocks.record(count - 2, fields) - first + 1);
        if (range.writeTo(file) != RecordFile::Write::Done) return false;
    }
    if (!setRecordCount(blocks, count - 1)) return false;

    // The last block, now beyond the count: every field an empty string.
    RecordRange blank = blocks.fieldRecords(count - 1);
    for (int field = 1; field <= fields; ++field) blank.setString(blocks.record(count - 1, field), u"");
    return blank.writeTo(file) == RecordFile::Write::Done;
}

QString DayKey(const QDate& day) {
    return QString::number(day.year()) + QString::number(day.month()).rightJustified(2, u'0') +
           QString::number(day.day()).rightJustified(2, u'0');
}

QString BirthdayKey(const QDate& day) {
    return QString::number(day.day()).rightJustified(2, u'0') + u'/' +
           QString::number(day.month()).rightJustified(2, u'0');
}

QString SlotTime(int slot) {
    const int minutes = 7 * 60 + 30 * slot;
    return QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QChar(u'0')).arg(minutes % 60, 2, 10, QChar(u'0'));
}

namespace {
constexpr int OrganizerFiles[] = {AppointFile, NotesFile, AddBookFile, PhotoFile};

QString dataPath(const QString& baseName) {
    // The separator is always inserted, even after a directory ending in one.
    return vars().DataDirectory + u'/' + baseName + QStringLiteral(".dat");
}

// An entry file holds its count record from the first start on; the count
// names entries that begin inside the file.
FileShape shapeOf(const BlockFile& blocks, const QString& entries) {
    return {blocks.countRecord(), QStringLiteral("its count of ") + entries,
            {{blocks.countRecord(), blocks.blockSize, 1, entries}}};
}

// The organizer cannot go on without its files, and writes nothing into a
// damaged one: it names every damaged file and ends.
void endOnDamagedFiles(std::span<const int> numbers) {
    const QString damaged = app().files().damageTexts(numbers);
    if (damaged.isEmpty()) return;
    app().fail(damaged + (damaged.contains(u'\n') ? QStringLiteral("\nThe organizer ends without changing them.")
                                                   : QStringLiteral("\nThe organizer ends without changing it.")));
}
}  // namespace

void OpenDataFiles() {
    CloseDataFiles();
    FileTable& files = app().files();
    if (!files.open(AppointFile, dataPath(QStringLiteral("Appoint")), 128,
                    shapeOf(Appointments, QStringLiteral("appointments"))) ||
        !files.open(NotesFile, dataPath(QStringLiteral("Notes")), 500, shapeOf(Notes, QStringLiteral("notes"))) ||
        !files.open(AddBookFile, dataPath(QStringLiteral("AddBook")), 128,
                    shapeOf(AddressBook, QStringLiteral("address entries"))) ||
        !files.open(PhotoFile, dataPath(QStringLiteral("PhotoF")), 128, FileShape{}))
        return;
    endOnDamagedFiles(OrganizerFiles);
    if (app().ending()) return;

    // Every count record holds a tagged integer from the first start on.
    // Whatever else it holds, and the photo path, are written back byte for
    // byte: starting never changes a stored value.
    for (const BlockFile& blocks : {Appointments, Notes, AddressBook}) {
        RecordFile& file = blocks.file();
        if (file.readTagged(blocks.countRecord()).isEmpty())
            setRecordCount(blocks, 0);
        else
            file.writeRecords(blocks.countRecord(), file.readRecords(blocks.countRecord(), 1));
    }
    RecordFile& photo = files[PhotoFile];
    photo.writeRecords(1, photo.readRecords(1, 1));
    if (app().ending()) return;

    Module2::LoadSavedPhoto();
}

bool LockDataDirectory(const QString& directory) {
    const QString folder = QDir::toNativeSeparators(directory);
    QString failure;
    switch (app().lock(directory + QStringLiteral("/.velmora-organizer.lock"), &failure)) {
    case LockFile::Result::Locked: return true;
    case LockFile::Result::HeldElsewhere:
        app().fail(QStringLiteral("Velmora Organizer is already running with the data files in %1.").arg(folder));
        break;
    case LockFile::Result::Failed:
        app().fail(QStringLiteral("The data files in %1 cannot be locked for this organizer: %2.").arg(folder, failure));
        break;
    }
    return false;
}

void CloseDataFiles() {
    for (int number : OrganizerFiles) app().files().close(number);
}

// What the windows show of a file that was replaced under the program is
// read from the file that is there now.
void ShowReplacedFile(int number) {
    Application& a = app();
    if (std::find(std::begin(OrganizerFiles), std::end(OrganizerFiles), number) == std::end(OrganizerFiles)) return;
    endOnDamagedFiles({&number, 1});
    if (a.ending()) return;
    switch (number) {
    case AppointFile: FindEditedAppointment(); break;
    case NotesFile:
        if (a.existingWindow<Form2>()) FillNotesList();
        return;
    case AddBookFile:
        if (a.existingWindow<Form3>()) {
            FillAddressNameList();
            ShowAddressEntry();
        }
        break;
    default: return;
    }
    // Appointments and birthdays both mark the calendar and fill the day's lists.
    ShowTodayMarker();
    if (a.existingWindow<Form1>()) MarkCalendarMonth();
    if (Form4* activities = a.existingWindow<Form4>(); activities && activities->isVisible()) LoadDayActivities();
    if (Form6* schedule = a.existingWindow<Form6>(); schedule && schedule->isVisible()) BuildDaySchedule();
}

// Every road out of the program passes here, but for a failure, after which
// the files take no more writes.
void CloseFilesAndEnd() {
    CloseDataFiles();
    app().end(0);
}

}  // namespace Module1
