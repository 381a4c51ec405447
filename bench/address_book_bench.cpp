// Times the address book against a full AddBook.dat (32767 entries), each
// procedure as a multiple of one plain read of every key record:
//   a click on the "123" tab (its list filled and its first entry shown), the
//     keys beginning with each letter and digit alike, so that the tab lists
//     ten in thirty-six of them;
//   the same click when every key begins with a digit (the tab lists them all);
//   ShowAddressEntry of the file's first entry (the last that a search from the
//     end reaches).
// Each is timed together with the event-loop turn that follows it. Prints the
// times and their ratios.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

#include "bench_organizer.h"
#include "common/application.h"
#include "organizer/address_book_window.h"
#include "organizer/calendar_window.h"
#include "organizer/module1.h"

namespace {
constexpr int Entries = Module1::MaxEntries;
constexpr int Runs = 21;
constexpr int DigitsTab = 23;
const QDate Today(2024, 3, 7);

void putString(QByteArray& file, qint32 record, const QByteArray& text) {
    char* at = file.data() + qsizetype(record - 1) * 128;
    qToLittleEndian<quint16>(quint16(text.size()), at);
    std::copy(text.begin(), text.end(), at + 2);
}

// Surnames begin with the given characters in turn, the rest of each key in
// no particular order; every field is filled as the dialog would.
void buildBook(const QString& path, const QByteArray& initials) {
    std::mt19937 random(20240307);
    std::uniform_int_distribution<int> letter('a', 'z'), length(4, 12), dayOfYear(0, 365);
    QByteArray file(qsizetype(Entries) * 16 * 128, '\0');
    for (qint32 i = 0; i < Entries; ++i) {
        QByteArray surname(1, initials[i % initials.size()]);
        for (int n = length(random); n > 0; --n) surname += char(letter(random));
        const QByteArray name = "Name" + QByteArray::number(i);
        const qint32 base = 16 * i;
        putString(file, base + 1, surname + ", " + name);
        putString(file, base + 2, name);
        putString(file, base + 3, surname);
        putString(file, base + 4, "12 Long Street\r\nSmalltown\r\n4321");
        for (int p = 5; p <= 10; ++p) putString(file, base + p, "+44 20 7946 " + QByteArray::number(1000 + p));
        putString(file, base + 11, QDate(1950 + i % 60, 1, 1).addDays(dayOfYear(random)).toString("dd/MM/yyyy").toLatin1());
        putString(file, base + 12, i % 10 == 0 ? "0" : "1");
        putString(file, base + 13, name.toLower() + "@example.org");
        putString(file, base + 14, "www.example.org/" + name.toLower());
        putString(file, base + 15, "Met at the conference.");
    }
    // The count: a tagged 2-byte integer in record 16.
    qToLittleEndian<qint16>(2, file.data() + 15 * 128);
    qToLittleEndian<qint16>(qint16(Entries), file.data() + 15 * 128 + 2);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()) qFatal("cannot write %s", qPrintable(path));
}

qsizetype sink = 0;  // keeps the plain reads from being optimised away

void readEveryKey() {
    RecordFile& file = Module1::AddressBook.file();
    for (qint32 i = 0; i < Entries; ++i) sink += file.readString(Module1::AddressBook.record(i, 1)).size();
}

void report(const char* what, const Comparison& c, int listed = -1) {
    std::printf("%-42s %7.3f ms  plain read %6.3f ms  ratio %.2f", what, c.workMs, c.baselineMs, c.ratio());
    if (listed >= 0) std::printf("  (%d keys listed)", listed);
    std::printf("\n");
}

// Opens the book in `directory` and times the digits tab and a display there.
void timeBook(const QString& directory, const char* clickLabel, bool withShow) {
    Application organizer(benchSeams(QDateTime(Today, QTime(9, 0))));
    Module1::vars().DataDirectory = directory;
    Module1::OpenDataFiles();
    organizer.window<Form1>();
    Form3& book = organizer.window<Form3>();
    book.Show();
    QCoreApplication::processEvents();

    const Comparison click = compare(
        readEveryKey,
        [&] {
            book.Command4[DigitsTab]->click();
            QCoreApplication::processEvents();
        },
        Runs);
    report(clickLabel, click, book.Combo1->ListCount());
    if (!withShow) return;

    const QString first = Module1::AddressBook.file().readString(1);
    book.Combo1->AddItem(first);
    book.Combo1->setText(first);
    const Comparison show = compare(
        readEveryKey,
        [] {
            Module1::ShowAddressEntry();
            QCoreApplication::processEvents();
        },
        Runs);
    report("ShowAddressEntry, the file's first entry", show);
}
}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QTemporaryDir spread, digits;
    if (!spread.isValid() || !digits.isValid()) qFatal("no temporary directory");
    buildBook(spread.filePath("AddBook.dat"), "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    buildBook(digits.filePath("AddBook.dat"), "0123456789");

    std::printf("%d address entries; fastest of %d runs\n", Entries, Runs);
    QDir::setCurrent(spread.path());
    timeBook(spread.path(), "\"123\" tab click, initials spread", true);
    QDir::setCurrent(digits.path());
    timeBook(digits.path(), "\"123\" tab click, every key a digit's", false);
    std::printf("(%lld characters read)\n", static_cast<long long>(sink));
    return 0;
}
