#pragma once
#include <QString>

#include "common/application.h"
#include "organizer/module1.h"

// Appointments for the reminder tests, written straight into Appoint.dat:
// ID, subject, start, end, reminder flag (-1 = remind), lead, description.
struct ReminderRecord {
    QString id;
    QString subject;
    QString start;
    QString end;
    bool remind = true;
    QString lead = QStringLiteral("15");
};

inline void appendReminderRecord(const ReminderRecord& a) {
    using namespace Module1;
    RecordFile& file = Appointments.file();
    const qint32 entry = RecordCount(Appointments);
    file.writeString(Appointments.record(entry, 1), a.id);
    file.writeString(Appointments.record(entry, 2), a.subject);
    file.writeString(Appointments.record(entry, 3), a.start);
    file.writeString(Appointments.record(entry, 4), a.end);
    file.writeInteger(Appointments.record(entry, 5), a.remind ? -1 : 0);
    file.writeString(Appointments.record(entry, 6), a.lead);
    file.writeString(Appointments.record(entry, 7), QStringLiteral("description"));
    setRecordCount(Appointments, entry + 1);
}
