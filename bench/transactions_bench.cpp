// Times one complete fill of the transaction list ("All Accounts", "All
// Categories", 1 January 2001 to today) against a plain read of every record
// the fill reads, for a full portfolio (five accounts of 32767 transactions
// each and 100 debit orders running 30 years) and for one with a tenth of it
// (3277 transactions per account, 10 debit orders); then how the fill's time
// grows with the data, and the time of the event-loop turn that brings the
// grid's view up to date and of scrolling through it.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

#include "bench_organizer.h"
#include "common/application.h"
#include "common/conversions.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"
#include "finance/transactions_window.h"

namespace {

constexpr int Runs = 9;
const QDate Today(2024, 3, 7);

struct Size {
    const char* name;
    int transactions;  // per account
    int debitOrders;   // in all
    bool shuffled;     // transactions entered in no order of their dates
};
constexpr Size Full{"full", 32767, 100, false};
constexpr Size Tenth{"a tenth", 3277, 10, false};
constexpr Size FullShuffled{"full, shuffled", 32767, 100, true};

const char* const Categories[] = {"Salary",   "Food",     "Vehicle",   "Other Income", "Leisure",
                                  "Electronic Equipment", "Computer Equipment", "D.I.Y. Equipment",
                                  "Education", "Services"};

// Transactions spread over 1999 to today (one in twenty a transfer), entered
// as a user enters them: in the order of their dates, give or take three
// weeks, or, shuffled, in no order at all; debit orders running 30 years from
// 2000 on.
void buildPortfolio(const QString& base, const Size& size) {
    std::mt19937 random(20240307);
    const QDate first(1999, 1, 1);
    const int days = int(first.daysTo(Today));
    std::uniform_int_distribution<int> dayOf(0, days);
    std::uniform_int_distribution<int> lateBy(0, 21);
    std::uniform_int_distribution<qint64> amountOf(-5000000, 2000000);

    Records portfolio;
    const char* const accounts[] = {"Check Account", "Credit Card", "Savings Account", "Home Loan", "Personnal Loan"};
    for (int a = 1; a <= 5; ++a) portfolio.taggedString(a, accounts[a - 1]);
    for (int c = 1; c <= 20; ++c) portfolio.string(c + 5, c <= 10 ? Categories[c - 1] : "No Category");
    portfolio.save(base + ".pwb");

    for (int a = 1; a <= 5; ++a) {
        Records account;
        for (qint32 k = 1; k <= size.transactions; ++k) {
            const qint32 slot = 10 * (k - 1);
            const bool transfer = k % 20 == 0;
            const int day = size.shuffled ? dayOf(random)
                                          : std::max(0, int(qint64(days) * k / size.transactions) - lateBy(random));
            account.date(slot + 1, first.addDays(day));
            account.string(slot + 2, transfer ? "Inter Account Transfer" : Categories[k % 10]);
            account.string(slot + 3, transfer ? QByteArray("Transfer from Check Account to Credit Card")
                                              : "Groceries and sundries " + QByteArray::number(k));
            account.money(slot + 4, amountOf(random));
            account.string(slot + 5, QByteArray::number(a) + '-' + QByteArray::number(k));
        }
        const int orders = size.debitOrders / 5;
        for (qint32 j = 1; j <= orders; ++j) {
            const qint32 slot = 10 * (j - 1);
            const QDate start(2000, 1 + j % 12, 1 + j % 28);
            account.date(slot + 6, start);
            account.date(slot + 7, start.addYears(30).addMonths(-1));
            account.string(slot + 8, "Monthly insurance premium " + QByteArray::number(j));
            account.money(slot + 9, 1234500 + j);
        }
        account.count(10, qint16(size.transactions));
        account.count(20, qint16(orders));
        account.save(QStringLiteral("%1_%2.acc").arg(base).arg(a));
    }
}

qint64 sink = 0;  // keeps the plain reads from being optimised away

// Every record the fill reads, read as its kind and dropped.
void plainRead() {
    using namespace FinModule;
    for (int a = 1; a <= AccountCount; ++a) {
        const RecordFile& file = accountFile(a);
        const qint32 n = readCount(file, TransactionCountRecord);
        for (qint32 k = 1; k <= n; ++k) {
            sink += qint64(file.readDate(slotRecord(k, TransactionField::Date)));
            sink += file.readString(slotRecord(k, TransactionField::Category)).size();
            sink += file.readString(slotRecord(k, TransactionField::Description)).size();
            sink += file.readMoney(slotRecord(k, TransactionField::Amount)).scaled();
            sink += file.readString(slotRecord(k, TransactionField::Id)).size();
        }
        const qint32 m = readCount(file, DebitOrderCountRecord);
        for (qint32 j = 1; j <= m; ++j) {
            sink += qint64(file.readDate(slotRecord(j, DebitOrderField::Start)));
            sink += qint64(file.readDate(slotRecord(j, DebitOrderField::End)));
            sink += file.readString(slotRecord(j, DebitOrderField::Description)).size();
            sink += file.readMoney(slotRecord(j, DebitOrderField::Amount)).scaled();
        }
    }
}

struct Measured {
    double plainMs = 0, fillMs = 0, firstMs = 0, viewMs = 0;
    int rows = 0;
};

// Opens the portfolio, then times the plain read and the fill in turn.
Measured measure(const QString& base) {
    using namespace FinModule;
    Variables& v = vars();
    v.PortfolioBase = base;
    v.PortfolioFiles[0] = base + ".pwb";
    for (int a = 1; a <= AccountCount; ++a) v.PortfolioFiles[a] = QStringLiteral("%1_%2.acc").arg(base).arg(a);
    for (int i = 0; i < 6; ++i) app().files().open(i + 1, v.PortfolioFiles[i]);
    v.PortfolioOpen = true;
    FinForm1& list = app().window<FinForm1>();
    Measured result;
    // The first fill, "All Accounts", "All Categories", 2001 to today, with
    // nothing of the list made before, and the lists of the other windows.
    result.firstMs = timeMs(RefreshPortfolioLists);
    result.viewMs = timeMs([] { QCoreApplication::processEvents(); });
    const Comparison refill = compare(plainRead, FillTransactionGrid, Runs);
    result.plainMs = refill.baselineMs;
    result.fillMs = refill.workMs;
    result.rows = list.MSFlexGrid1->Rows() - 2;
    return result;
}

}  // namespace

int main(int argc, char* argv[]) {
    BenchStart start(argc, argv);
    const QTemporaryDir& directory = start.directory;
    QDir::setCurrent(directory.path());
    const Size sizes[] = {Full, Tenth, FullShuffled};
    constexpr int Sizes = int(std::size(sizes));
    QString bases[Sizes];
    for (int i = 0; i < Sizes; ++i) {
        bases[i] = directory.filePath(QStringLiteral("Portfolio%1").arg(i));
        buildPortfolio(bases[i], sizes[i]);
    }

    Measured measured[Sizes];
    for (int i = 0; i < Sizes; ++i) {
        Application organizer(benchSeams(QDateTime(Today, QTime(9, 0))));
        FinMDIForm1& finance = organizer.window<FinMDIForm1>();
        finance.resize(1280, 900);
        measured[i] = measure(bases[i]);
        if (i == 0) {
            // Scrolling the whole list page by page, each page drawn.
            FlexGrid* grid = organizer.window<FinForm1>().MSFlexGrid1;
            finance.show();
            organizer.window<FinForm1>().ShowMaximized();
            QCoreApplication::processEvents();
            QScrollBar* bar = grid->verticalScrollBar();
            int pages = 0;
            double slowest = 0;
            const double all = timeMs([&] {
                const int step = std::max(1, bar->maximum() / 400);
                for (int at = 0; at <= bar->maximum() && pages < 400; at += step, ++pages) {
                    slowest = std::max(slowest, timeMs([&] {
                        bar->setValue(at);
                        grid->viewport()->repaint();
                    }));
                }
            });
            std::printf("scrolling %d rows: %d steps, %.3f ms each on average, the slowest %.3f ms\n",
                        grid->Rows(), pages, all / std::max(pages, 1), slowest);

            // Last, as it changes the files: deleting the first listed
            // transaction of a full account moves nearly all the others down a
            // slot, then the list is filled again.
            int first = 0;
            for (int r = 2; r < grid->Rows(); ++r) {
                const QString id = grid->TextMatrix(r, FinModule::IdColumn);
                if (id.startsWith(QLatin1String("1-")) && (first == 0 || id.mid(2).toInt() < first)) {
                    first = id.mid(2).toInt();
                    grid->setRow(r);
                }
            }
            std::printf("deleting transaction 1-%d of %d, with the refill: %.3f ms\n", first, Full.transactions,
                        timeMs(FinModule::DeleteSelectedTransaction));
        }
    }

    for (int i = 0; i < Sizes; ++i) {
        const Measured& m = measured[i];
        std::printf("%-15s %6d rows  plain read %7.2f ms  refill %7.2f ms (ratio %.2f)  "
                    "first fill %7.2f ms (ratio %.2f)  view update %.2f ms\n",
                    sizes[i].name, m.rows, m.plainMs, m.fillMs, m.fillMs / m.plainMs, m.firstMs,
                    m.firstMs / m.plainMs, m.viewMs);
    }
    std::printf("10x the data: a refill takes %.2fx the time, a first fill %.2fx\n",
                measured[0].fillMs / measured[1].fillMs, measured[0].firstMs / measured[1].firstMs);
    std::printf("(%lld)\n", static_cast<long long>(sink));
    return 0;
}
