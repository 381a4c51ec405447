#include <array>

#include "common/application.h"
#include "controls/combo_box.h"
#include "controls/date_picker.h"
#include "finance/debit_order_occurrences.h"
#include "finance/fin_module.h"

namespace FinModule {

int chosenAccount(const ComboBox& accounts) {
    const int index = accounts.ListIndex();
    if (index < 0 || index >= AccountCount || accounts.Text() != accounts.List(index)) return 0;
    return index + 1;
}

QString notAnAmountMessage(const QString& typed) {
    switch (Money::read(typed).fault) {
    case Money::Fault::TooManyDecimals:
        return QStringLiteral("\"%1\" has too many decimals. Please type an amount with at most four decimals, "
                              "such as 99.95.")
            .arg(typed);
    case Money::Fault::TooLarge:
        return QStringLiteral("\"%1\" is too large an amount. The program holds amounts from -%2 to %2.")
            .arg(typed, Money::largest().text());
    default:
        return QStringLiteral("\"%1\" is not an amount. Please type a number such as 150 or 99.95.").arg(typed);
    }
}

namespace {
// The money that entries bring into an account and take out of it, each
// summed on its own. Every sum of some of the entries (a balance on any
// day, a running balance or total of the transaction list, whatever its
// filters) lies between the two, so while both are within the range of
// amounts, so is every such sum.
struct Flows {
    MoneySum in, out;
    void add(Money amount, std::int64_t times) { (amount < Money() ? out : in).add(amount, times); }
    void add(const Flows& other) {
        in.add(other.in);
        out.add(other.out);
    }
    // Whether one of the two is beyond the range, and further than in `before`.
    bool outgrows(const Flows& before) const {
        return (!in.fits() && in.largerThan(before.in)) || (!out.fits() && out.largerThan(before.out));
    }
};

// An account's flows: all its transactions, whatever their date, and every
// occurrence of its debit orders up to the last day the list can show.
Flows flowsOf(int account) {
    const RecordFile& file = accountFile(account);
    Flows flows;
    const qint32 transactions = readCount(file, TransactionCountRecord);
    for (qint32 k = 1; k <= transactions; ++k) flows.add(file.readMoney(slotRecord(k, TransactionField::Amount)), 1);
    const qint32 debitOrders = readCount(file, DebitOrderCountRecord);
    for (qint32 j = 1; j <= debitOrders; ++j) {
        flows.add(file.readMoney(slotRecord(j, DebitOrderField::Amount)).negated(),
                  DebitOrderOccurrenceCount(file.readDate(slotRecord(j, DebitOrderField::Start)),
                                            file.readDate(slotRecord(j, DebitOrderField::End)), DatePicker::last()));
    }
    return flows;
}
}  // namespace

// The accounts' flows as stored and as they would be after the changes:
// each account's with its overdraft (its available balance), and those of
// all accounts together (the list of all accounts). A change is refused only
// where it takes a flow beyond the range, or further beyond it, so that an
// account that some other program filled beyond it still takes the entries
// that do not add to that.
bool SumsStayInRange(std::initializer_list<AmountChange> changes, const QString& notDone) {
    constexpr int All = 0;
    std::array<Flows, AccountCount + 1> before;
    for (int a = 1; a <= AccountCount; ++a) {
        before[a] = flowsOf(a);
        before[All].add(before[a]);
        before[a].add(portfolioFile().readMoney(settingsRecord(a, SettingsField::Overdraft)), 1);
    }
    std::array<Flows, AccountCount + 1> after = before;
    for (const AmountChange& change : changes) {
        after[change.account].add(change.amount, change.times);
        if (!change.overdraft) after[All].add(change.amount, change.times);
    }

    const QString largest = Money::largest().text();
    for (int a = 1; a <= AccountCount; ++a) {
        if (!after[a].outgrows(before[a])) continue;
        app().message(QStringLiteral("This would take the sums of \"%1\" past %2, the largest amount the program "
                                     "can hold, and its balances could no longer be shown.")
                          .arg(nameText(vars().AccountNames[a]), largest) +
                      notDone);
        return false;
    }
    if (!after[All].outgrows(before[All])) return true;
    app().message(QStringLiteral("This would take the sums of all accounts together past %1, the largest amount the "
                                 "program can hold, and the transaction list could no longer show their total.")
                      .arg(largest) +
                  notDone);
    return false;
}

}  // namespace FinModule
