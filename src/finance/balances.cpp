#include <cmath>
#include <cstdint>

#include "common/application.h"
#include "common/conversions.h"
#include "finance/debit_order_occurrences.h"
#include "finance/fin_module.h"
#include "finance/summary_window.h"

namespace FinModule {

namespace {
// Whether a stored date falls on or before the given day (both as the files'
// day counts; a time of day does not move a date to the next day). A value
// that is no date falls on no day.
bool onOrBefore(double date, double day) {
    if (!std::isfinite(date) || std::fabs(date) > 3.0e6) return false;
    return std::trunc(date) <= day;
}

// The balance of an account on a day: all its transactions dated that day or
// earlier, less the amounts of its debit orders' occurrences up to that day.
// The sum is exact; it may still be too large to show (only a damaged file,
// or one written without the entry checks, gives such a sum).
MoneySum balanceOn(const RecordFile& file, const QDate& today) {
    const double day = Conversions::toSerialDate(today);
    MoneySum balance;
    const qint32 transactions = readCount(file, TransactionCountRecord);
    for (qint32 k = 1; k <= transactions; ++k) {
        if (onOrBefore(file.readDate(slotRecord(k, TransactionField::Date)), day))
            balance.add(file.readMoney(slotRecord(k, TransactionField::Amount)));
    }
    const qint32 debitOrders = readCount(file, DebitOrderCountRecord);
    for (qint32 j = 1; j <= debitOrders; ++j) {
        const std::int64_t occurrences =
            DebitOrderOccurrenceCount(file.readDate(slotRecord(j, DebitOrderField::Start)),
                                      file.readDate(slotRecord(j, DebitOrderField::End)), today);
        if (occurrences > 0) balance.add(file.readMoney(slotRecord(j, DebitOrderField::Amount)), -occurrences);
    }
    return balance;
}
}  // namespace

void RefreshAccountBalances() {
    FinForm4& summary = app().window<FinForm4>();
    const QDate today = app().clock().today();
    for (int a = 1; a <= AccountCount; ++a) {
        const MoneySum balance = balanceOn(accountFile(a), today);
        MoneySum available = balance;
        available.add(portfolioFile().readMoney(settingsRecord(a, SettingsField::Overdraft)));
        summary.Label6[a]->setCaption(balance.text());
        summary.Label7[a]->setCaption(available.text());
    }
    summary.Label5->setCaption(Conversions::dateText(today));
    CheckBalanceAlarms();
}

// The balances are read back from the summary; one too large to show raises
// no alarm. Each message waits for its OK.
void CheckBalanceAlarms() {
    FinForm4& summary = app().window<FinForm4>();
    const RecordFile& settings = portfolioFile();
    for (int a = 1; a <= AccountCount; ++a) {
        const bool highOn = settings.readInteger(settingsRecord(a, SettingsField::HighAlarmOn)) == -1;
        const bool lowOn = settings.readInteger(settingsRecord(a, SettingsField::LowAlarmOn)) == -1;
        const Money high = settings.readMoney(settingsRecord(a, SettingsField::HighThreshold));
        const Money low = settings.readMoney(settingsRecord(a, SettingsField::LowThreshold));
        const QString account = QStringLiteral("Balance of ") + summary.Label1[a]->Caption();
        if (highOn) {
            const std::optional<Money> balance = Money::parse(summary.Label6[a]->Caption());
            if (balance && *balance > high) app().message(account + QStringLiteral(" is higher than ") + high.text());
        }
        if (lowOn) {
            const std::optional<Money> balance = Money::parse(summary.Label6[a]->Caption());
            if (balance && *balance < low) app().message(account + QStringLiteral(" is lower than ") + low.text());
        }
    }
}

}  // namespace FinModule
