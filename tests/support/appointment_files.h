#pragma once
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "organizer/activities_window.h"
#include "organizer/calendar_window.h"
#include "organizer/module1.h"
#include "support/double_click.h"
#include "support/organizer_test.h"

// Replaces a box's whole text by typing, as the user does after selecting it.
inline void typeOver(TextBox* box, const QString& text) {
    if (auto* line = box->findChild<QLineEdit*>()) line->selectAll();
    if (auto* lines = box->findChild<QPlainTextEdit*>()) lines->selectAll();
    box->typeText(text);
}

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
// appointments written straight into their records.
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

    // A record as the file holds it: the value's bytes, then zeros to the record's end.
    static QByteArray record(const QByteArray& bytes) { return bytes.leftJustified(128, '\0'); }
    static QByteArray integerRecord(qint16 value) {
        return record(QByteArray(1, char(value & 0xFF)) + char((value >> 8) & 0xFF));
    }
    static QByteArray stringRecord(const QByteArray& text) { return record(integerRecord(qint16(text.size())).left(2) + text); }
    static QByteArray countRecord(qint16 count) { return record(integerRecord(2).left(2) + integerRecord(count).left(2)); }
};
