#pragma once
#include <QCoreApplication>
#include <QDir>

#include "organizer/activities_window.h"
#include "organizer/calendar_window.h"
#include "organizer/module1.h"
#include "support/double_click.h"
#include "support/organizer_test.h"

// An appointment as its block holds it.
struct StoredAppointment {
    QString id;
    QString subject = QStringLiteral("Meeting");
    QString start = QStringLiteral("09:00");
    QString end = QStringLiteral("10:00");
    qint16 reminder = 0;
    QString minutes = QStringLiteral("15");
    QString description = QStringLiteral("Description");
    friend bool operator==(const StoredAppointment&, const StoredAppointment&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const StoredAppointment& a) {
    return out << '{' << a.id.toStdString() << ", " << a.subject.toStdString() << ", " << a.start.toStdString() << ", "
               << a.end.toStdString() << ", " << a.reminder << ", " << a.minutes.toStdString() << ", "
               << a.description.toStdString() << '}';
}

// An organizer whose data files are open in the test's directory, with
// appointments and address entries written straight into their records.
class AppointmentTest : public OrganizerTest {
protected:
    void SetUp() override {
        OrganizerTest::SetUp();
        Module1::vars().DataDirectory = QDir::currentPath();
        Module1::OpenDataFiles();
        QCoreApplication::processEvents();
    }

    static RecordFile& appointFile() { return Module1::Appointments.file(); }

    // The day as the calendar opens it: a double-click on its cell.
    Form4& openDay(const QDate& day) {
        Form1& calendar = app().window<Form1>();
        calendar.Calendar1->setValue(day);
        doubleClick(calendar.Calendar1, calendar.Calendar1->cellRect(calendar.Calendar1->cellOf(day)).center());
        return app().window<Form4>();
    }

    void storeAppointment(const StoredAppointment& a) {
        using namespace Module1;
        const qint32 i = RecordCount(Appointments);
        RecordFile& file = appointFile();
        file.writeString(Appointments.record(i, 1), a.id);
        file.writeString(Appointments.record(i, 2), a.subject);
        file.writeString(Appointments.record(i, 3), a.start);
        file.writeString(Appointments.record(i, 4), a.end);
        file.writeInteger(Appointments.record(i, 5), a.reminder);
        file.writeString(Appointments.record(i, 6), a.minutes);
        file.writeString(Appointments.record(i, 7), a.description);
        setRecordCount(Appointments, i + 1);
    }
    void storeAppointments(const QStringList& ids) {
        for (const QString& id : ids) storeAppointment({id, QStringLiteral("Subject of ") + id});
    }

    StoredAppointment storedAppointment(qint32 i) const {
        using namespace Module1;
        RecordFile& file = appointFile();
        return {file.readString(Appointments.record(i, 1)),  file.readString(Appointments.record(i, 2)),
                file.readString(Appointments.record(i, 3)),  file.readString(Appointments.record(i, 4)),
                file.readInteger(Appointments.record(i, 5)), file.readString(Appointments.record(i, 6)),
                file.readString(Appointments.record(i, 7))};
    }
    QStringList storedIds() const {
        QStringList ids;
        for (qint32 i = 0; i < Module1::RecordCount(Module1::Appointments); ++i) ids << storedAppointment(i).id;
        return ids;
    }

    // An address entry with the fields the birthday readers use.
    void storeAddress(const QString& key, const QString& birthday, const QString& flag = QStringLiteral("1")) {
        using namespace Module1;
        const qint32 i = RecordCount(AddressBook);
        RecordFile& file = AddressBook.file();
        file.writeString(AddressBook.record(i, AddressField::Key), key);
        file.writeString(AddressBook.record(i, AddressField::Birthday), birthday);
        file.writeString(AddressBook.record(i, AddressField::BirthdayFlag), flag);
        setRecordCount(AddressBook, i + 1);
    }

    // A record as the file holds it: the value's bytes, then zeros to the record's end.
    static QByteArray stringRecord(const QByteArray& text) {
        QByteArray record(128, '\0');
        record[0] = char(text.size());
        record.replace(2, text.size(), text);
        return record;
    }
    static QByteArray integerRecord(qint16 value) {
        QByteArray record(128, '\0');
        record[0] = char(value & 0xFF);
        record[1] = char((value >> 8) & 0xFF);
        return record;
    }
    static QByteArray countRecord(qint16 count) {
        QByteArray record(128, '\0');
        record[0] = 2;
        record[2] = char(count & 0xFF);
        record[3] = char((count >> 8) & 0xFF);
        return record;
    }
};
