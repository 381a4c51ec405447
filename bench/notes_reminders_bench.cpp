// Times the notes list and the reminder check against a plain read of the
// records they cannot do without:
//   FillNotesGrid with 10000 notes        vs. reading their 10000 title records;
//   CheckReminders with 32767 appointments vs. reading every appointment's reminder flag,
//                                             and the ID, start and lead of each one with a
//                                             reminder (a reminder may fall due on any day).
// Both procedures are timed together with the event-loop turn that brings the
// grid's view up to date. Prints the times and their ratios.
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench_organizer.h"
#include "common/application.h"
#include "organizer/module1.h"
#include "organizer/notes.h"
#include "organizer/notes_window.h"
#include "organizer/reminders.h"

namespace {

constexpr int NoteCount = 10000;
constexpr int AppointmentCount = Module1::MaxEntries;
constexpr int TodayEvery = 100;  // every hundredth appointment is today's: 328 of them
constexpr int Runs = 31;
const QDate Today(2024, 3, 7);

void writeNotes() {
    using namespace Module1;
    RecordFile& file = Notes.file();
    for (int i = 0; i < NoteCount; ++i) {
        file.writeString(Notes.record(i, 1), QStringLiteral("Note title %1").arg(i));
        file.writeString(Notes.record(i, 2), QStringLiteral("Some text of note %1\r\nand a second line.").arg(i));
    }
    setRecordCount(Notes, NoteCount);
}

void writeAppointments() {
    using namespace Module1;
    RecordFile& file = Appointments.file();
    for (int i = 0; i < AppointmentCount; ++i) {
        const bool today = i % TodayEvery == 0;
        const QDate day = today ? Today : Today.addDays(1 + i % 300);
        const int minutes = 7 * 60 + (i / TodayEvery) % (16 * 60);
        const QString start = QTime(minutes / 60, minutes % 60).toString(QStringLiteral("HH:mm"));
        file.writeString(Appointments.record(i, 1), DayKey(day) + QStringLiteral("-%1").arg(i % 9 + 1));
        file.writeString(Appointments.record(i, 2), QStringLiteral("Appointment subject %1").arg(i));
        file.writeString(Appointments.record(i, 3), start);
        file.writeString(Appointments.record(i, 4), QStringLiteral("23:30"));
        file.writeInteger(Appointments.record(i, 5), -1);
        file.writeString(Appointments.record(i, 6), QStringLiteral("15"));
        file.writeString(Appointments.record(i, 7), QStringLiteral("Description"));
    }
    setRecordCount(Appointments, AppointmentCount);
}

}  // namespace

int main(int argc, char* argv[]) {
    BenchStart start(argc, argv);
    QDir::setCurrent(start.directory.path());

    Application organizer(benchSeams(QDateTime(Today, QTime(6, 0, 30))));

    Module1::vars().DataDirectory = QDir::currentPath();
    Module1::OpenDataFiles();
    writeNotes();
    writeAppointments();

    using namespace Module1;
    Form2& notes = app().window<Form2>();
    QCoreApplication::processEvents();
    qsizetype sink = 0;

    const auto readTitles = [&] {
        const RecordFile& file = Notes.file();
        const qint32 count = RecordCount(Notes);
        for (qint32 i = 0; i < count; ++i) sink += file.readString(Notes.record(i, 1)).size();
    };
    const auto fill = [] {
        FillNotesGrid();
        QCoreApplication::processEvents();
    };
    const Comparison fillHidden = compare(readTitles, fill, Runs);
    notes.Show();
    QCoreApplication::processEvents();
    const Comparison fillShown = compare(readTitles, fill, Runs);
    notes.hide();

    const auto readReminderFields = [&] {
        const RecordFile& file = Appointments.file();
        const qint32 count = RecordCount(Appointments);
        for (qint32 i = 0; i < count; ++i) {
            if (file.readInteger(Appointments.record(i, 5)) != -1) continue;
            for (int field : {1, 3, 6}) sink += file.readString(Appointments.record(i, field)).size();
        }
    };
    const Comparison check = compare(
        readReminderFields,
        [] {
            CheckReminders();
            QCoreApplication::processEvents();
        },
        Runs);
    const int reminderRows = notes.MSFlexGrid2->Rows() - 1;

    std::printf("FillNotesGrid, %d notes, against a plain read of their titles (fastest of %d runs):\n", NoteCount, Runs);
    std::printf("  Notes window hidden: %.2f ms / %.2f ms = %.2f\n", fillHidden.workMs, fillHidden.baselineMs,
                fillHidden.ratio());
    std::printf("  Notes window shown:  %.2f ms / %.2f ms = %.2f\n", fillShown.workMs, fillShown.baselineMs,
                fillShown.ratio());
    std::printf("CheckReminders, %d appointments with reminders (%d due today), against a plain read of their\n"
                "flags, IDs, starts and leads:\n",
                AppointmentCount, reminderRows);
    std::printf("  %.2f ms / %.2f ms = %.2f\n", check.workMs, check.baselineMs, check.ratio());
    std::printf("(%lld characters read)\n", static_cast<long long>(sink));
    return 0;
}
