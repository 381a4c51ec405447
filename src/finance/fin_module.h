#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <initializer_list>

#include "common/record_file.h"

class ComboBox;

// The finance procedure module: the open portfolio, its six record files and
// the procedures the finance windows share.
//
// A portfolio is a portfolio file (the base path followed by ".pwb") with the
// names of five accounts, the names of twenty categories and each account's
// settings, and five account files (the base, "_", the account digit, ".acc")
// with each account's transactions and debit orders. While it is open its
// files are open under the file numbers 1 to 6.
namespace FinModule {

inline constexpr int AccountCount = 5;
inline constexpr int CategoryCount = 20;

// File numbers: the portfolio file, then account a's file as a + 1.
inline constexpr int PortfolioFileNumber = 1;
constexpr int accountFileNumber(int account) { return account + 1; }

// Records of the portfolio file: account a's name (a tagged string),
// category c's name (a string), and account a's five settings.
constexpr qint32 accountNameRecord(int account) { return account; }
constexpr qint32 categoryNameRecord(int category) { return category + 5; }
namespace SettingsField {
// Overdraft and thresholds are Money; the alarm flags 2-byte integers, -1 on, 0 off.
enum : int { Overdraft = 1, HighAlarmOn, HighThreshold, LowAlarmOn, LowThreshold };
}
constexpr qint32 settingsRecord(int account, int field) { return 20 + 5 * account + field; }

// Records of an account file: a sequence of 10-record slots. Slot k (from 1)
// holds transaction k in its first five records and debit order k in the
// next four; the tenth record of slot 1 holds the transaction count, that of
// slot 2 the debit-order count (tagged integers).
namespace TransactionField {
// Date (8-byte date), category, description (strings), amount (Money), ID (string).
enum : int { Date = 1, Category, Description, Amount, Id };
}
namespace DebitOrderField {
// Start and end date (8-byte dates), description (string), amount as typed (Money).
enum : int { Start = 6, End, Description, Amount };
}
constexpr qint32 slotRecord(qint32 slot, int field) { return 10 * (slot - 1) + field; }
inline constexpr qint32 TransactionCountRecord = 10;
inline constexpr qint32 DebitOrderCountRecord = 20;
// An account holds as many transactions as its count record can tell.
inline constexpr qint32 MaxTransactions = 32767;

// A transaction as its slot stores it.
struct StoredTransaction {
    double date = 0;  // the 8-byte date
    QString category;
    QString description;
    Money amount;
    QString id;
    // Dates compare as stored bytes, so that a value that is no date equals itself.
    bool operator==(const StoredTransaction& other) const;
};
// A transaction taken up for a change: its portfolio, its account (1 to 5),
// its position (from 1) and what that slot stored then.
struct OpenedTransaction {
    QString portfolio;  // the base path of the portfolio it belongs to
    int account = 0;
    qint32 position = 0;
    StoredTransaction stored;
};

// Variables of the module, kept by the application object.
struct Variables {
    bool PortfolioOpen = false;
    QString PortfolioBase;      // the open portfolio's path without its extension
    QString PortfolioFileName;  // the name the open-file dialog gave
    std::array<QString, 6> PortfolioFiles;        // 0 the portfolio file, 1 to 5 the account files
    std::array<TaggedValue, 6> AccountNames;      // 1 to 5, as last read or written
    std::array<QString, CategoryCount + 1> CategoryNames;  // 1 to 20, as last read or written
    QString LockedPortfolio;    // the lock file held while the portfolio is open
};
Variables& vars();

RecordFile& portfolioFile();
RecordFile& accountFile(int account);

// The lock file that keeps other organizers out of an open portfolio: beside
// its portfolio file, held until the portfolio is closed.
inline QString portfolioLockPath(const QString& portfolioFile) { return portfolioFile + QStringLiteral(".lock"); }

// A count record: a tagged integer; empty, negative or not an integer counts as 0.
qint32 readCount(const RecordFile& file, qint32 record);
// An account's transaction ID: its digit, "-", the position from 1.
QString TransactionId(int account, qint32 position);
// The text of a stored name (an empty value gives "").
QString nameText(const TaggedValue& name);
// Transaction k of account a as stored.
StoredTransaction readTransaction(int account, qint32 position);

// Portfolio files.
void OpenPortfolio();
void CreatePortfolio();
void ClosePortfolio();
void CloseFinanceWindow();
void RenumberTransactionIds();

// The finance window as a whole.
void RefreshPortfolioLists();
// Refills what the finance windows show of the open portfolio's file
// `number`, after the file at its path was replaced under the program.
void ShowReplacedFile(int number);
void DisablePortfolioCommands();
void LayoutFinanceWindows();

// Renames. A new name that the portfolio file cannot hold is told and gives
// false: nothing is written, and the dialog keeps the name for a correction.
bool ApplyAccountRename();
bool ApplyCategoryRename();

// The account an account list names (1 to 5): its selected item, while the
// list shows that item's text; 0 when a typed text, or nothing, is shown.
int chosenAccount(const ComboBox& accounts);
// The message for a typed text that is no amount, telling why: not a
// number, too many decimals, or too large.
QString notAnAmountMessage(const QString& typed);

// What an entry changes in an account's amounts: an amount as it counts in
// the balance (a debit order's occurrence: its amount negated), counted
// `times` times (a debit order's occurrences); a negative count takes away
// what an edit replaces. The overdraft counts in the account's available
// balance only.
struct AmountChange {
    int account = 0;
    Money amount;
    std::int64_t times = 1;
    bool overdraft = false;
};
// Whether every sum the finance windows can show (any balance or available
// balance, any running balance or total of the transaction list, on any day
// the pickers offer) stays within the range of amounts after the changes.
// When not, tells which account's sums would pass it, followed by
// `notDone`; nothing has been written.
bool SumsStayInRange(std::initializer_list<AmountChange> changes, const QString& notDone);

// Debit orders. An account holds as many as its 2-byte count allows.
inline constexpr qint32 MaxDebitOrders = 32767;
void FillDebitOrderGrid();
// The checks of a typed debit order that the add and the save make, each
// told in a message: "Add Debit Order"'s entry, "Edit Debit Order"'s in
// place of the debit order of the list's current row.
bool CheckDebitOrderEntry();
bool CheckEditedDebitOrder();
void AddDebitOrder();
void DeleteSelectedDebitOrder();
void SaveEditedDebitOrder();

// The balance alarms of the Accounts Summary's balances.
void CheckBalanceAlarms();
// Writes the account settings window's settings; false when an amount in it
// is no amount or the overdraft would take the available balance past the
// range of amounts, which is told and nothing is written.
bool SaveAccountSettings();

// The transaction list: row 0 the column headers, row 1 the summary row
// (the total in its Balance cell), the entries from row 2 on.
enum TransactionColumn : int { DateColumn, CategoryColumn, DescriptionColumn, AmountColumn, BalanceColumn, IdColumn };
inline constexpr int SummaryRow = 1;
inline constexpr int FirstEntryRow = 2;

// The transaction list: every transaction and debit-order occurrence of the
// chosen accounts and category between the two dates, sorted by date, with a
// running balance and the total in the summary row.
void FillTransactionGrid();
void ClearTransactionGrid();
void SortTransactionGridByDate();
void FilterTransactionGridByDates();
void ComputeGridBalances();

// Adding transactions and transfers from the Add Transactions window. The
// checks tell a refused entry in a message and write nothing.
bool CheckTransactionEntry();
bool CheckTransferEntry();
void AddTransaction();
void AddTransfer();

// Editing and deleting the transaction of the list's current row; a
// debit-order row opens the Debit Orders window on its account instead.
void EditSelectedTransaction();
bool CheckEditedEntry();
void SaveEditedTransaction();
void DeleteSelectedTransaction();
void ShowDebitOrdersOf(int account);

// The account balances and the account settings window are built in their
// own files.
void RefreshAccountBalances();
void LoadAccountSettings();

}  // namespace FinModule
