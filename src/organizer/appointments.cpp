#include <QStringView>
#include <optional>

#include "common/application.h"
#include "common/conversions.h"
#include "organizer/activities_window.h"
#include "organizer/appointment_dialog.h"
#include "organizer/module1.h"

namespace Module1 {

namespace {
namespace Field = AppointmentField;

// One appointment as its block holds it.
struct AppointmentEntry {
    QString id, subject, start, end;
    qint16 reminder = 0;  // -1 remind, 0 not
    QString minutes, description;
};

RecordFile& appointFile() { return Appointments.file(); }
qint32 recordOf(qint32 entry, int field) { return Appointments.record(entry, field); }

QString readId(qint32 entry) { return appointFile().readString(recordOf(entry, Field::Id)); }

AppointmentEntry readEntry(qint32 entry) {
    RecordFile& file = appointFile();
    return {file.readString(recordOf(entry, Field::Id)),          file.readString(recordOf(entry, Field::Subject)),
            file.readString(recordOf(entry, Field::Start)),       file.readString(recordOf(entry, Field::End)),
            file.readInteger(recordOf(entry, Field::Reminder)),   file.readString(recordOf(entry, Field::Minutes)),
            file.readString(recordOf(entry, Field::Description))};
}

// The entry's block with every field but the ID set, the ID too when asked,
// to be written in one write. The values fit their records.
RecordRange entryRecords(qint32 entry, const AppointmentEntry& e, bool withId) {
    RecordRange block = Appointments.fieldRecords(entry);
    if (withId) block.setString(recordOf(entry, Field::Id), e.id);
    block.setString(recordOf(entry, Field::Subject), e.subject);
    block.setString(recordOf(entry, Field::Start), e.start);
    block.setString(recordOf(entry, Field::End), e.end);
    block.setInteger(recordOf(entry, Field::Reminder), e.reminder);
    block.setString(recordOf(entry, Field::Minutes), e.minutes);
    block.setString(recordOf(entry, Field::Description), e.description);
    return block;
}

// The last entry carrying the ID, or -1. Searching from the end, the first
// match is the last one.
qint32 lastEntryWithId(const QString& id, qint32 count) {
    for (qint32 i = count - 1; i >= 0; --i)
        if (readId(i) == id) return i;
    return -1;
}

bool isOfDay(QStringView id, QStringView dayKey) { return id.left(8) == dayKey; }

// The number after the day key and the hyphen of an ID; 0 when there is none.
int idNumber(const QString& id) {
    bool ok = false;
    const int number = id.mid(9).toInt(&ok);
    return ok ? number : 0;
}

qint32 appointmentsOfDay(const QString& dayKey, qint32 count) {
    qint32 found = 0;
    for (qint32 i = 0; i < count; ++i)
        if (isOfDay(readId(i), dayKey)) ++found;
    return found;
}

// The appointment dialog's input, taken as typed.
AppointmentEntry dialogEntry() {
    const Form5& dialog = app().window<Form5>();
    return {dialog.Text3->Text(),  dialog.Text4->Text(), dialog.Combo1->Text(),
            dialog.Combo2->Text(), qint16(dialog.Check1->Value() != 0 ? -1 : 0),
            dialog.Text2->Text(),  dialog.Text1->Text()};
}

QString birthdayLine(const QString& key, const QString& birthday, int shownYear) {
    const double birthYear = Conversions::parseNumber(birthday.right(4)).value_or(0);
    return QStringLiteral("Birthday - ") + key + QStringLiteral(" ( ") + Conversions::numberText(shownYear - birthYear) +
           QStringLiteral(" ) ");
}
}  // namespace

void ClearDayActivities() {
    Form4& activities = app().window<Form4>();
    activities.Combo3->Clear();
    activities.Combo1->Clear();
    activities.Combo2->Clear();
    activities.Combo4->Clear();
    activities.Text3->setText(QStringLiteral("ID"));
    activities.Text1->setText(QString());
    activities.Check1->setValue(0);
    activities.Label4->setVisible(false);
    activities.Text2->setVisible(false);
    activities.Command4->setEnabled(false);
    activities.Command5->setEnabled(false);
}

void LoadDayActivities() {
    Form4& activities = app().window<Form4>();
    const QDate day = activities.DTPicker1->Value();
    const QString dayKey = DayKey(day);
    ClearDayActivities();
    activities.Text4->setText(QString());
    activities.Text5->setText(QString());

    RecordFile& file = appointFile();
    const qint32 count = RecordCount(Appointments);
    for (qint32 i = 0; i < count; ++i) {
        if (!isOfDay(readId(i), dayKey)) continue;
        activities.Combo3->AddItem(Conversions::trimSpaces(file.readString(recordOf(i, Field::Subject))));
        activities.Combo1->AddItem(Conversions::trimSpaces(file.readString(recordOf(i, Field::Start))));
        activities.Combo2->AddItem(Conversions::trimSpaces(file.readString(recordOf(i, Field::End))));
    }
    if (activities.Combo3->ListCount() > 0) {
        activities.Combo3->setListIndex(0);  // shows the day's first appointment
        activities.Combo1->setListIndex(0);
        activities.Combo2->setListIndex(0);
        activities.Command4->setEnabled(true);
        activities.Command5->setEnabled(true);
    }

    const QString birthdayKey = BirthdayKey(day);
    RecordFile& book = AddressBook.file();
    const qint32 entries = RecordCount(AddressBook);
    for (qint32 i = 0; i < entries; ++i) {
        const QString birthday = book.readString(AddressBook.record(i, AddressField::Birthday));
        if (QStringView(birthday).left(5) != birthdayKey || !HasBirthday(i)) continue;
        const QString key = book.readString(AddressBook.record(i, AddressField::Key));
        activities.Combo4->AddItem(birthdayLine(key, birthday, day.year()));
    }
    if (activities.Combo4->ListCount() > 0) activities.Combo4->setListIndex(0);
}

// The k-th subject of the day belongs to the appointment whose ID ends in "-k".
void ShowAppointment() {
    Form4& activities = app().window<Form4>();
    const QString id = DayKey(activities.DTPicker1->Value()) + u'-' + QString::number(activities.Combo3->ListIndex() + 1);
    const qint32 entry = lastEntryWithId(id, RecordCount(Appointments));
    if (entry < 0) return;

    const AppointmentEntry e = readEntry(entry);
    activities.Text3->setText(e.id);
    activities.Text4->setText(Conversions::trimSpaces(e.start));
    activities.Text5->setText(Conversions::trimSpaces(e.end));
    activities.Check1->setValue(e.reminder == -1 ? 1 : 0);
    activities.Text2->setText(Conversions::trimSpaces(e.minutes));
    activities.Text1->setText(Conversions::trimSpaces(e.description));
}

// Closes the gap in the file and renumbers the later appointments of the
// same day, so that the day's IDs run -1 .. -n in file order again. Those come
// after the deleted one in the file, so they are renumbered as they move.
void DeleteAppointment() {
    const QString id = app().window<Form4>().Text3->Text();
    const qint32 count = RecordCount(Appointments);
    const qint32 deleted = lastEntryWithId(id, count);
    if (deleted < 0) return;

    const QStringView dayKey = QStringView(id).left(8);
    const int number = idNumber(id);
    auto renumbered = [&](const QString& other) -> std::optional<QString> {
        if (!isOfDay(other, dayKey)) return std::nullopt;
        const int m = idNumber(other);
        if (m <= number) return std::nullopt;
        return other.left(9) + QString::number(m - 1);
    };
    const bool removed = RemoveEntry(Appointments, deleted, count, [&](qint32 entry, RecordRange& records) {
        const qint32 idRecord = recordOf(entry, Field::Id);
        if (const auto newId = renumbered(records.string(idRecord))) records.setString(idRecord, *newId);
    });
    if (!removed) return;

    Variables& v = vars();
    if (v.EditedAppointment == deleted) {
        v.EditedAppointment = -1;
        v.EditedAppointmentDeleted = true;
    } else if (v.EditedAppointment > deleted) {
        --v.EditedAppointment;
    }

    // A file whose days are out of order may hold a later number before it.
    for (qint32 i = 0; i < deleted; ++i)
        if (const auto newId = renumbered(readId(i)))
            if (appointFile().writeString(recordOf(i, Field::Id), *newId) != RecordFile::Write::Done) return;
    LoadDayActivities();
}

// The new appointment goes to the end of the file, numbered after the
// appointments its day holds now.
void AddAppointment() {
    AppointmentEntry entry = dialogEntry();
    const qint32 count = RecordCount(Appointments);
    if (count >= MaxEntries) {
        app().message(QStringLiteral("The appointment book is full: it holds %1 appointments. "
                                     "Delete an appointment before adding another.")
                          .arg(MaxEntries));
        return;
    }
    const QString dayKey = entry.id.left(8);
    entry.id = dayKey + u'-' + QString::number(appointmentsOfDay(dayKey, count) + 1);
    if (!AppendEntry(Appointments, count, entryRecords(count, entry, true))) return;
    LoadDayActivities();
}

void BeginAppointmentEdit(const QString& id) {
    Variables& v = vars();
    v.EditedAppointmentId = id;
    v.EditedAppointment = lastEntryWithId(id, RecordCount(Appointments));
    v.EditedAppointmentDeleted = false;
}

void FindEditedAppointment() {
    Variables& v = vars();
    if (v.EditedAppointment < 0) return;
    v.EditedAppointment = lastEntryWithId(v.EditedAppointmentId, RecordCount(Appointments));
    v.EditedAppointmentDeleted = v.EditedAppointment < 0;
}

// Only the appointment the dialog opened is rewritten, in one write, wherever
// the deletions made meanwhile have moved it; its ID stays.
void UpdateAppointment() {
    Variables& v = vars();
    if (v.EditedAppointmentDeleted) {
        v.EditedAppointmentDeleted = false;
        app().message(QStringLiteral("This appointment was deleted while it was being edited; the changes were not saved."));
    } else if (v.EditedAppointment >= 0 && v.EditedAppointment < RecordCount(Appointments)) {
        const RecordRange edited = entryRecords(v.EditedAppointment, dialogEntry(), false);
        if (edited.writeTo(appointFile()) != RecordFile::Write::Done) return;
    }
    LoadDayActivities();
}

}  // namespace Module1
