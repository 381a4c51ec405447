// Times opening a portfolio whose debit orders end far in the future (31
// December 9999, the last day the date pickers offer), and the refill of the
// transaction list that follows every change, such as an added transaction:
// with one such debit order, with five (one in each account), and with an
// account holding as many debit orders as it can keep, each of them started
// in the last three months. Every account also holds 1000 transactions of
// the last years. A case can be named on the command line ("one", "five",
// "most") to time it alone.
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

#include "bench_organizer.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"
#include "finance/transactions_window.h"

namespace {

constexpr int Runs = 3;
constexpr int Transactions = 1000;  // per account
const QDate Today(2024, 3, 7);
const QDate LastDay(9999, 12, 31);

struct Case {
    const char* name;
    int accountsWithOrders;  // accounts 1 to this hold debit orders
    int ordersEach;
};
const Case Cases[] = {{"one", 1, 1}, {"five", 5, 1}, {"most", 1, FinModule::MaxDebitOrders}};

// Debit orders on the 31st, the day of 31 December 9999: the only one of an
// account starts on 31 January 2001; a full account's start on 31 December or
// 31 January, so that each has paid two or three times by today.
void buildPortfolio(const QString& base, const Case& c) {
    std::mt19937 random(20240307);
    const QDate first(2019, 1, 1);
    std::uniform_int_distribution<int> dayOf(0, int(first.daysTo(Today)));
    std::uniform_int_distribution<qint64> amountOf(-5000000, 2000000);

    Records portfolio;
    const char* const accounts[] = {"Check Account", "Credit Card", "Savings Account", "Home Loan", "Personnal Loan"};
    for (int a = 1; a <= FinModule::AccountCount; ++a) portfolio.taggedString(a, accounts[a - 1]);
    for (int k = 1; k <= FinModule::CategoryCount; ++k) portfolio.string(k + 5, "Food");
    portfolio.save(base + ".pwb");

    for (int a = 1; a <= FinModule::AccountCount; ++a) {
        Records account;
        for (qint32 k = 1; k <= Transactions; ++k) {
            const qint32 slot = 10 * (k - 1);
            account.date(slot + 1, first.addDays(dayOf(random)));
            account.string(slot + 2, "Food");
            account.string(slot + 3, "Groceries " + QByteArray::number(k));
            account.money(slot + 4, amountOf(random));
            account.string(slot + 5, QByteArray::number(a) + '-' + QByteArray::number(k));
        }
        const int orders = a <= c.accountsWithOrders ? c.ordersEach : 0;
        for (qint32 j = 1; j <= orders; ++j) {
            const qint32 slot = 10 * (j - 1);
            account.date(slot + 6, orders == 1 ? QDate(2001, 1, 31) : j % 2 ? QDate(2024, 1, 31) : QDate(2023, 12, 31));
            account.date(slot + 7, LastDay);
            account.string(slot + 8, "Standing payment " + QByteArray::number(j));
            account.money(slot + 9, 1234500 + j);
        }
        account.count(10, qint16(Transactions));
        account.count(20, qint16(orders));
        account.save(QStringLiteral("%1_%2.acc").arg(base).arg(a));
    }
}

// An open-file dialog that always chooses one file.
struct ChoosingFileDialog : OpenFileSeam {
    explicit ChoosingFileDialog(QString path) : path(std::move(path)) {}
    std::optional<QString> open(const QString&, const QString&) override { return path; }
    QString path;
};

}  // namespace

int main(int argc, char* argv[]) {
    BenchStart start(argc, argv);

    std::printf("open: \"Open Portfolio\" as the user chooses it (the lists filled, the balances computed);\n"
                "refill: the transaction list filled again, as after an added transaction; fastest of %d runs\n",
                Runs);
    for (const Case& c : Cases) {
        if (argc > 1 && std::strcmp(argv[1], c.name) != 0) continue;
        const QString base = start.directory.filePath(QString::fromLatin1(c.name));
        buildPortfolio(base, c);

        Application::Seams seams = benchSeams(QDateTime(Today, QTime(9, 0)));
        seams.openFile = std::make_unique<ChoosingFileDialog>(base + ".pwb");
        Application organizer(std::move(seams));
        organizer.window<FinMDIForm1>();
        double openMs = 1e300, refillMs = 1e300;
        for (int run = 0; run < Runs; ++run) {
            openMs = std::min(openMs, timeMs(FinModule::OpenPortfolio));
            refillMs = std::min(refillMs, timeMs(FinModule::FillTransactionGrid));
        }
        const FinForm1& list = organizer.window<FinForm1>();
        std::printf("%-5s %5d debit order(s) to %s in %d account(s): open %9.2f ms, refill %9.2f ms "
                    "(%d rows, total %s)\n",
                    c.name, c.ordersEach * c.accountsWithOrders, qPrintable(LastDay.toString(Qt::ISODate)),
                    c.accountsWithOrders, openMs, refillMs, list.MSFlexGrid1->Rows() - 2,
                    qPrintable(list.MSFlexGrid1->TextMatrix(1, FinModule::BalanceColumn)));
        std::fflush(stdout);
        FinModule::ClosePortfolio();
    }
    return 0;
}
