// Times the Accounts Summary's computation, RefreshAccountBalances, against a
// portfolio of five full accounts (32767 transactions each, spread over 25
// years, some of them still to come) with 100 debit orders each, running 30
// years from 30 years ago: its time as a multiple of one plain read of the
// records it reads (each account's two counts, every transaction's date and
// amount, every debit order's dates and amount, the settings); then the
// check that every entry makes of the accounts' sums, SumsStayInRange,
// which reads the same records.
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <random>

#include "bench_organizer.h"
#include "common/application.h"
#include "common/conversions.h"
#include "common/record_range.h"
#include "finance/fin_module.h"
#include "finance/summary_window.h"

namespace {
constexpr int Transactions = 32767;
constexpr int DebitOrders = 100;
constexpr int Runs = 15;
const QDate Today(2024, 3, 7);

using namespace FinModule;

// Writes a whole file in one go through a range of records made in memory.
void buildFile(const QString& path, qint32 records, const std::function<void(RecordRange&)>& fill) {
    RecordFile file(path, 128, [](const QString& message) { qFatal("%s", qPrintable(message)); });
    if (!file.open()) qFatal("cannot open %s", qPrintable(path));
    RecordRange range(file, 1, records);
    fill(range);
    range.writeTo(file);
}

void buildPortfolio(const QString& base) {
    buildFile(base + ".pwb", 50, [](RecordRange& r) {
        for (int a = 1; a <= AccountCount; ++a) r.setString(accountNameRecord(a), u"Account");
        // Alarms on that hold for no account, so that no message is shown.
        for (int a = 1; a <= AccountCount; ++a) {
            r.setMoney(settingsRecord(a, SettingsField::Overdraft), Money::fromScaled(5000 * Money::Scale));
            r.setInteger(settingsRecord(a, SettingsField::HighAlarmOn), -1);
            r.setMoney(settingsRecord(a, SettingsField::HighThreshold), Money::fromScaled(INT64_MAX));
        }
    });
    std::mt19937 random(20240307);
    const QDate first = Today.addYears(-24);
    std::uniform_int_distribution<int> dayOf(0, int(first.daysTo(Today.addYears(1))));
    std::uniform_int_distribution<int> cents(-500000, 300000);
    for (int a = 1; a <= AccountCount; ++a) {
        buildFile(base + "_" + QString::number(a) + ".acc", 10 * Transactions, [&](RecordRange& r) {
            for (qint32 k = 1; k <= Transactions; ++k) {
                r.setDate(slotRecord(k, TransactionField::Date), Conversions::toSerialDate(first.addDays(dayOf(random))));
                r.setString(slotRecord(k, TransactionField::Category), u"Food");
                r.setString(slotRecord(k, TransactionField::Description), u"Groceries for the week");
                r.setMoney(slotRecord(k, TransactionField::Amount), Money::fromScaled(qint64(cents(random)) * 100));
                r.setString(slotRecord(k, TransactionField::Id), TransactionId(a, k));
            }
            for (qint32 j = 1; j <= DebitOrders; ++j) {
                const QDate start = Today.addYears(-30).addDays(j * 3);
                r.setDate(slotRecord(j, DebitOrderField::Start), Conversions::toSerialDate(start));
                r.setDate(slotRecord(j, DebitOrderField::End), Conversions::toSerialDate(start.addYears(30)));
                r.setString(slotRecord(j, DebitOrderField::Description), QStringLiteral("Order %1").arg(j));
                r.setMoney(slotRecord(j, DebitOrderField::Amount), Money::fromScaled(qint64(j) * 12345));
            }
        });
        // The counts as tagged integers.
        RecordFile file(base + "_" + QString::number(a) + ".acc", 128, nullptr);
        file.open();
        file.writeTagged(TransactionCountRecord, TaggedValue::ofInteger(Transactions));
        file.writeTagged(DebitOrderCountRecord, TaggedValue::ofInteger(DebitOrders));
    }
}

double sink = 0;  // keeps the plain reads from being optimised away

void plainRead() {
    for (int a = 1; a <= AccountCount; ++a) {
        const RecordFile& file = accountFile(a);
        const qint32 transactions = readCount(file, TransactionCountRecord);
        for (qint32 k = 1; k <= transactions; ++k)
            sink += file.readDate(slotRecord(k, TransactionField::Date)) +
                    double(file.readMoney(slotRecord(k, TransactionField::Amount)).scaled());
        const qint32 debitOrders = readCount(file, DebitOrderCountRecord);
        for (qint32 j = 1; j <= debitOrders; ++j)
            sink += file.readDate(slotRecord(j, DebitOrderField::Start)) + file.readDate(slotRecord(j, DebitOrderField::End)) +
                    double(file.readMoney(slotRecord(j, DebitOrderField::Amount)).scaled());
        for (int field = SettingsField::Overdraft; field <= SettingsField::LowThreshold; ++field)
            sink += double(portfolioFile().readMoney(settingsRecord(a, field)).scaled());
    }
}
}  // namespace

int main(int argc, char* argv[]) {
    BenchStart start(argc, argv);
    const QTemporaryDir& directory = start.directory;
    const QString base = directory.filePath("Bench");
    buildPortfolio(base);

    Application organizer(benchSeams(QDateTime(Today, QTime(9, 0))));
    FinForm4& summary = organizer.window<FinForm4>();
    organizer.files().open(PortfolioFileNumber, base + ".pwb");
    for (int a = 1; a <= AccountCount; ++a) organizer.files().open(accountFileNumber(a), base + "_" + QString::number(a) + ".acc");
    vars().PortfolioOpen = true;

    const Comparison refresh = compare(plainRead, RefreshAccountBalances, Runs);
    std::printf("5 accounts of %d transactions and %d debit orders over 30 years; fastest of %d runs\n", Transactions,
                DebitOrders, Runs);
    std::printf("%-34s %9.3f ms\n", "plain read of the records", refresh.baselineMs);
    std::printf("%-34s %9.3f ms  ratio %.2f\n", "RefreshAccountBalances", refresh.workMs, refresh.ratio());
    const Comparison check = compare(plainRead, [] { SumsStayInRange({{1, Money::fromScaled(100)}}, QString()); }, Runs);
    std::printf("%-34s %9.3f ms  ratio %.2f\n", "SumsStayInRange of one entry", check.workMs, check.ratio());
    std::printf("(balances %s %s %s %s %s; %g)\n", qPrintable(summary.Label6[1]->Caption()),
                qPrintable(summary.Label6[2]->Caption()), qPrintable(summary.Label6[3]->Caption()),
                qPrintable(summary.Label6[4]->Caption()), qPrintable(summary.Label6[5]->Caption()), sink);
    return 0;
}
