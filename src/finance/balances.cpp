#include <cmath>
#include <cstdint>
#include <limits>

#include "common/application.h"
#include "common/conversions.h"
#include "finance/debit_order_occurrences.h"
#include "finance/fin_module.h"
#include "finance/summary_window.h"

namespace FinModule {

namespace {
constexpr std::int64_t Largest = std::numeric_limits<std::int64_t>::max();

// Sums and products of amounts. Only a damaged file can leave the range of
// Money; such a result stops at its ends, which still read back as amounts.
std::int64_t add(std::int64_t a, std::int64_t b) {
    std::int64_t sum;
    if (__builtin_add_overflow(a, b, &sum) || sum < -Largest) return b < 0 ? -Largest : Largest;
    return sum;
}
std::int64_t times(std::int64_t amount, std::int64_t factor) {
    std::int64_t product;
    if (__builtin_mul_overflow(amount, factor, &product) || product < -Largest)
        return (amount < 0) != (factor < 0) ? -Largest : Largest;
    return product;
}

// Whether a stored date falls on or before the given day (both as the files'
// day counts; a time of day does not move a date to the next day). A value
// that is no date falls on no day.
bool onOrBefore(double date, double day) {
    if (!std::isfinite(date) || std::fabs(date) > 3.0e6) return false;
    return std::trunc(date) <= day;
}

// The balance of an account on a day: all its transactions dated that day or
// earlier, less the amounts of its debit orders' occurrences up to that day.
// The sum is exact.
std::int64_t balanceOn(const RecordFile& file, double today) {
    std::int64_t balance = 0;
    const qint32 transactions = readCount(file, TransactionCountRecord);
    for (qint32 k = 1; k <= transactions; ++k) {
        if (onOrBefore(file.readDate(slotRecord(k, TransactionField::Date)), today))
            balance = add(balance, file.readMoney(slotRecord(k, TransactionField::Amount)).scaled());
    }
    // Occurrences later than today are not visited: the last one that counts
    // lies before the start of tomorrow.
    const double beforeTomorrow = std::nextafter(today + 1, 0.0);
    const qint32 debitOrders = readCount(file, DebitOrderCountRecord);
    for (qint32 j = 1; j <= debitOrders; ++j) {
        const double start = file.readDate(slotRecord(j, DebitOrderField::Start));
        const double end = file.readDate(slotRecord(j, DebitOrderField::End));
        const double last = end > beforeTomorrow ? beforeTomorrow : end;  // an end that is no number stays so
        std::int64_t occurrences = 0;
        ForEachDebitOrderOccurrence(start, last, [&](double) { ++occurrences; });
        if (occurrences == 0) continue;
        balance = add(balance, times(file.readMoney(slotRecord(j, DebitOrderField::Amount)).scaled(), -occurrences));
    }
    return balance;
}
}  // namespace

void RefreshAccountBalances() {
    FinForm4& summary = app().window<FinForm4>();
    const QDate today = app().clock().today();
    const double day = Conversions::toSerialDate(today);
    for (int a = 1; a <= AccountCount; ++a) {
        const std::int64_t balance = balanceOn(accountFile(a), day);
        const Money overdraft = portfolioFile().readMoney(settingsRecord(a, SettingsField::Overdraft));
        summary.Label6[a]->setCaption(Money::fromScaled(balance).text());
        summary.Label7[a]->setCaption(Money::fromScaled(add(balance, overdraft.scaled())).text());
    }
    summary.Label5->setCaption(Conversions::dateText(today));
    CheckBalanceAlarms();
}

// The balances are read back from the summary. Each message waits for its OK.
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
