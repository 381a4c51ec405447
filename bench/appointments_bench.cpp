// Times the calendar's and the Activities window's readers against a full
// appointment file (32767 appointments) and a full address book (2048 entries):
// each procedure's time as a multiple of one plain read of the records it
// walks (every ID, and for the calendar and the day also every birthday);
// then the time of deleting the first appointment of the full file.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <vector>

#include "bench_organizer.h"
#include "common/application.h"
#include "organizer/activities_window.h"
#include "organizer/calendar_window.h"
#include "organizer/module1.h"

namespace {
constexpr int Appointments = 32767;
constexpr int AddressEntries = 2048;
constexpr int Runs = 25;
const QDate Today(2024, 3, 7);

// Appointments spread over ten years around today, in no particular order, each
// day numbered -1, -2 ... in file order; address entries with birthdays all over the year.
void buildFiles(const QString& directory) {
    std::mt19937 random(20240307);
    const QDate first = Today.addYears(-5);
    std::uniform_int_distribution<int> dayOf(0, int(first.daysTo(Today.addYears(5))));
    std::map<QDate, int> perDay;
    Records appoint;
    for (qint32 i = 0; i < Appointments; ++i) {
        const QDate day = first.addDays(dayOf(random));
        const QByteArray id = (Module1::DayKey(day) + u'-' + QString::number(++perDay[day])).toLatin1();
        const qint32 base = 8 * i;
        appoint.string(base + 1, id);
        appoint.string(base + 2, "Meeting with the planning committee " + QByteArray::number(i));
        appoint.string(base + 3, "09:30");
        appoint.string(base + 4, "10:30");
        appoint.integer(base + 5, i % 3 == 0 ? -1 : 0);
        appoint.string(base + 6, "15");
        appoint.string(base + 7, "Room 4, second floor.\r\nBring last quarter's figures.");
    }
    appoint.count(8, Appointments);
    appoint.save(directory + "/Appoint.dat");

    std::uniform_int_distribution<int> dayOfYear(0, 365);
    Records book;
    for (qint32 i = 0; i < AddressEntries; ++i) {
        const QDate birthday = QDate(1960 + i % 50, 1, 1).addDays(dayOfYear(random));
        const qint32 base = 16 * i;
        book.string(base + 1, "Surname" + QByteArray::number(i) + ", Name");
        book.string(base + 11, birthday.toString("dd/MM/yyyy").toLatin1());
        book.string(base + 12, i % 10 == 0 ? "0" : "1");
    }
    book.count(16, AddressEntries);
    book.save(directory + "/AddBook.dat");
}

// The median time of a run, in milliseconds.
double medianMs(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + Runs / 2, times.end());
    return times[Runs / 2];
}

qsizetype sink = 0;  // keeps the plain reads from being optimised away

void readEveryId() {
    RecordFile& file = Module1::Appointments.file();
    for (qint32 i = 0; i < Appointments; ++i) sink += file.readString(Module1::Appointments.record(i, 1)).size();
}

void readEveryBirthday() {
    RecordFile& file = Module1::AddressBook.file();
    for (qint32 i = 0; i < AddressEntries; ++i)
        sink += file.readString(Module1::AddressBook.record(i, Module1::AddressField::Birthday)).size();
}
}  // namespace

int main(int argc, char* argv[]) {
    BenchStart start(argc, argv);
    const QTemporaryDir& directory = start.directory;
    buildFiles(directory.path());
    QDir::setCurrent(directory.path());

    FakeClock* fakeClock = nullptr;
    Application organizer(benchSeams(QDateTime(Today, QTime(9, 0)), &fakeClock));
    FakeClock& clock = *fakeClock;
    Module1::vars().DataDirectory = directory.path();
    Module1::OpenDataFiles();
    organizer.window<Form1>();
    Form4& activities = organizer.window<Form4>();
    activities.DTPicker1->setValue(Today);

    const double ids = medianMs(readEveryId);
    const double idsAndBirthdays = medianMs([] {
        readEveryId();
        readEveryBirthday();
    });
    const double month = medianMs(Module1::MarkCalendarMonth);
    const double day = medianMs(Module1::LoadDayActivities);
    const double todayMarker = medianMs(Module1::ShowTodayMarker);
    // A day without appointments: nothing ends the pass early.
    clock.set(QDateTime(Today.addYears(20), QTime(9, 0)));
    const double todayMarkerUnmarked = medianMs(Module1::ShowTodayMarker);

    std::printf("%d appointments, %d address entries; median of %d runs\n", Appointments, AddressEntries, Runs);
    std::printf("%-34s %9.3f ms\n", "plain read of every ID", ids);
    std::printf("%-34s %9.3f ms\n", "plain read of every ID + birthday", idsAndBirthdays);
    std::printf("%-34s %9.3f ms  ratio %.2f (to IDs)\n", "ShowTodayMarker, today marked", todayMarker, todayMarker / ids);
    std::printf("%-34s %9.3f ms  ratio %.2f (to IDs)\n", "ShowTodayMarker, today unmarked", todayMarkerUnmarked,
                todayMarkerUnmarked / ids);
    std::printf("%-34s %9.3f ms  ratio %.2f (to IDs + birthdays)\n", "MarkCalendarMonth", month, month / idsAndBirthdays);
    std::printf("%-34s %9.3f ms  ratio %.2f (to IDs + birthdays)\n", "LoadDayActivities", day, day / idsAndBirthdays);
    std::printf("(%d appointments listed on %s, %d birthdays; %lld characters read)\n", activities.Combo3->ListCount(),
                qPrintable(Today.toString(Qt::ISODate)), activities.Combo4->ListCount(), static_cast<long long>(sink));

    // Last, as it changes the file: deleting the first appointment moves every
    // other one down a block.
    activities.Text3->setText(Module1::Appointments.file().readString(1));
    QElapsedTimer timer;
    timer.start();
    Module1::DeleteAppointment();
    std::printf("%-34s %9.3f ms\n", "DeleteAppointment, the first", double(timer.nsecsElapsed()) / 1e6);
    return 0;
}
