#include <QDir>

#include "common/application.h"
#include "desk/module2.h"
#include "organizer/module1.h"

namespace Module1 {

Variables& vars() { return app().state<Variables>(); }

RecordFile& BlockFile::file() const { return app().files()[number]; }

qint32 RecordCount(const BlockFile& file) {
    const TaggedValue count = file.file().readTagged(file.countRecord());
    return count.kind == TaggedValue::Kind::Integer && count.integer > 0 ? count.integer : 0;
}

void setRecordCount(const BlockFile& file, qint32 count) {
    file.file().writeTagged(file.countRecord(), TaggedValue::ofInteger(qint16(count)));
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
QString dataPath(const QString& baseName) {
    // The separator is always inserted, even after a directory ending in one.
    return vars().DataDirectory + u'/' + baseName + QStringLiteral(".dat");
}
}  // namespace

void OpenDataFiles() {
    CloseDataFiles();
    FileTable& files = app().files();
    if (!files.open(AppointFile, dataPath(QStringLiteral("Appoint"))) ||
        !files.open(NotesFile, dataPath(QStringLiteral("Notes")), 500) ||
        !files.open(AddBookFile, dataPath(QStringLiteral("AddBook"))) ||
        !files.open(PhotoFile, dataPath(QStringLiteral("PhotoF"))))
        return;

    // Every count record holds a tagged integer from the first start on;
    // whatever it holds is written back.
    for (const BlockFile& blocks : {Appointments, Notes, AddressBook}) {
        TaggedValue count = blocks.file().readTagged(blocks.countRecord());
        if (count.kind == TaggedValue::Kind::Unknown) continue;  // damaged: its bytes stay as they are
        if (count.isEmpty()) count = TaggedValue::ofInteger(0);
        blocks.file().writeTagged(blocks.countRecord(), count);
    }
    RecordFile& photo = files[PhotoFile];
    photo.writeString(1, photo.readString(1));

    Module2::LoadSavedPhoto();
}

void CloseDataFiles() {
    for (int number : {AppointFile, NotesFile, AddBookFile, PhotoFile}) app().files().close(number);
}

void CloseFilesAndEnd() {
    CloseDataFiles();
    app().end(0);
}

}  // namespace Module1
