#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "common/application.h"
#include "common/new_files.h"
#include "common/record_range.h"
#include "finance/add_transactions_window.h"
#include "finance/debit_orders_window.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"
#include "finance/new_portfolio_window.h"
#include "finance/summary_window.h"
#include "finance/transactions_window.h"

namespace FinModule {

Variables& vars() { return app().state<Variables>(); }

RecordFile& portfolioFile() { return app().files()[PortfolioFileNumber]; }
RecordFile& accountFile(int account) { return app().files()[accountFileNumber(account)]; }

qint32 readCount(const RecordFile& file, qint32 record) {
    const TaggedValue count = file.readTagged(record);
    return count.kind == TaggedValue::Kind::Integer && count.integer > 0 ? count.integer : 0;
}

QString TransactionId(int account, qint32 position) {
    return QString::number(account) + u'-' + QString::number(position);
}

QString nameText(const TaggedValue& name) {
    switch (name.kind) {
    case TaggedValue::Kind::String: return name.text;
    case TaggedValue::Kind::Integer: return QString::number(name.integer);
    default: return {};
    }
}

namespace {
constexpr int FileCount = 6;
const QString DefaultAccountNames[AccountCount] = {
    QStringLiteral("Check Account"), QStringLiteral("Credit Card"), QStringLiteral("Savings Account"),
    QStringLiteral("Home Loan"), QStringLiteral("Personnal Loan")};
const QString DefaultCategoryNames[10] = {
    QStringLiteral("Salary"),          QStringLiteral("Food"),
    QStringLiteral("Vehicle"),         QStringLiteral("Other Income"),
    QStringLiteral("Leisure"),         QStringLiteral("Electronic Equipment"),
    QStringLiteral("Computer Equipment"), QStringLiteral("D.I.Y. Equipment"),
    QStringLiteral("Education"),       QStringLiteral("Services")};

// The six file names of the portfolio with the given base.
void namePortfolioFiles(const QString& base) {
    Variables& v = vars();
    v.PortfolioFiles[0] = base + QStringLiteral(".pwb");
    for (int a = 1; a <= AccountCount; ++a)
        v.PortfolioFiles[a] = base + u'_' + QString::number(a) + QStringLiteral(".acc");
}

void closePortfolioFiles() {
    for (int number = 1; number <= FileCount; ++number) app().files().close(number);
}

void releasePortfolioLock() {
    if (vars().LockedPortfolio.isEmpty()) return;
    app().unlock(vars().LockedPortfolio);
    vars().LockedPortfolio.clear();
}

// What a new portfolio's files hold: the default names in the portfolio
// file, the two counts, 0, in each account file.
constexpr int RecordLength = 128;
QByteArray newPortfolioFile() {
    const Variables& v = vars();
    RecordRange file(RecordLength, 1, categoryNameRecord(CategoryCount));
    for (int a = 1; a <= AccountCount; ++a) file.setTagged(accountNameRecord(a), v.AccountNames[a]);
    for (int c = 1; c <= CategoryCount; ++c) file.setString(categoryNameRecord(c), v.CategoryNames[c]);
    return file.bytes();
}
QByteArray newAccountFile() {
    RecordRange file(RecordLength, 1, DebitOrderCountRecord);
    file.setTagged(TransactionCountRecord, TaggedValue::ofInteger(0));
    file.setTagged(DebitOrderCountRecord, TaggedValue::ofInteger(0));
    return file.bytes();
}

// A portfolio is there when any of its six files holds what a new one would
// not: its portfolio file anything at all (a new portfolio's is made last),
// an account file anything but what a new account holds. A making that was
// cut short leaves no more than that. Finding out creates no file.
bool portfolioExists() {
    const Variables& v = vars();
    if (QFileInfo(v.PortfolioFiles[0]).size() > 0) return true;
    const QByteArray newAccount = newAccountFile();
    for (int a = 1; a <= AccountCount; ++a) {
        QFile file(v.PortfolioFiles[a]);
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QByteArray held = file.read(newAccount.size() + 1);
        if (!held.isEmpty() && held != newAccount) return true;
    }
    return false;
}

// Locks the portfolio for this organizer. Another organizer's lock, or one
// that cannot be taken, is told in a message.
bool lockPortfolio() {
    Variables& v = vars();
    const QString name = QDir::toNativeSeparators(v.PortfolioFiles[0]);
    QString failure;
    switch (app().lock(portfolioLockPath(v.PortfolioFiles[0]), &failure)) {
    case LockFile::Result::Locked: v.LockedPortfolio = portfolioLockPath(v.PortfolioFiles[0]); return true;
    case LockFile::Result::HeldElsewhere:
        app().message(
            QStringLiteral("The portfolio \"%1\" is open in another Velmora Organizer. Close it there first.").arg(name));
        return false;
    case LockFile::Result::Failed:
        app().message(QStringLiteral("The portfolio \"%1\" cannot be locked for this organizer: %2.").arg(name, failure));
        return false;
    }
    return false;
}

// What every sound portfolio file holds from its creation on: the account
// and category names; every account file: its two counts, each naming
// entries that begin inside the file.
FileShape portfolioFileShape() {
    return {categoryNameRecord(CategoryCount), QStringLiteral("the names of its accounts and categories"), {}};
}
FileShape accountFileShape() {
    return {DebitOrderCountRecord,
            QStringLiteral("its counts of transactions and debit orders"),
            {{TransactionCountRecord, 10, slotRecord(1, TransactionField::Date), QStringLiteral("transactions")},
             {DebitOrderCountRecord, 10, slotRecord(1, DebitOrderField::Start), QStringLiteral("debit orders")}}};
}

void giveUpOpening() {
    closePortfolioFiles();
    releasePortfolioLock();
}

// Opens the locked portfolio's six files as the numbers 1 to 6. A file that
// cannot be opened, or one that is damaged, is told in a message; then
// nothing stays open or locked, and nothing has been written.
bool openPortfolioFiles() {
    Variables& v = vars();
    for (int i = 0; i < FileCount; ++i) {
        // Tried first on its own, so that a file the system refuses is told
        // here and does not end the program as a failing data file would.
        QFile probe(v.PortfolioFiles[i]);
        const bool opens = probe.open(QIODevice::ReadWrite);
        const QString why = probe.errorString();
        probe.close();
        if (!opens || !app().files().open(i + 1, v.PortfolioFiles[i], RecordLength,
                                          i == 0 ? portfolioFileShape() : accountFileShape())) {
            if (!opens)
                app().message(QStringLiteral("The file \"%1\" cannot be opened: %2.")
                                  .arg(QDir::toNativeSeparators(v.PortfolioFiles[i]), why));
            giveUpOpening();
            return false;
        }
    }
    constexpr int Numbers[FileCount] = {1, 2, 3, 4, 5, 6};
    const QString damaged = app().files().damageTexts(Numbers);
    if (damaged.isEmpty()) return true;
    giveUpOpening();
    app().message(damaged + QStringLiteral("\nThe portfolio stays closed; nothing has been written into it."));
    return false;
}

// The portfolio's files that are not there. The user chooses between the
// portfolio with them made anew, empty (an account file as a new portfolio
// has it, the portfolio file with no names), and the portfolio left closed
// with nothing made; true for the portfolio with them.
bool makeMissingFiles() {
    const Variables& v = vars();
    QStringList missing;
    NewFiles files;
    for (int i = 0; i < FileCount; ++i) {
        if (QFileInfo::exists(v.PortfolioFiles[i])) continue;
        missing << QDir::toNativeSeparators(v.PortfolioFiles[i]);
        files.add(v.PortfolioFiles[i], i == 0 ? QByteArray() : newAccountFile());
    }
    if (missing.isEmpty()) return true;
    const QString question =
        (missing.size() == 1 ? QStringLiteral("This file of the portfolio is missing:\n")
                             : QStringLiteral("These files of the portfolio are missing:\n")) +
        missing.join(u'\n') +
        QStringLiteral("\nOpen the portfolio with %1 made anew, without entries? No leaves the portfolio closed "
                       "and makes nothing.")
            .arg(missing.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"));
    QString failure;
    if (!app().ask(question)) return false;
    if (files.make(&failure)) return true;
    if (!failure.isEmpty()) app().message(failure);
    return false;
}

// All accounts chosen in the transaction list, and the portfolio named in the caption.
void showOpenPortfolio() {
    app().window<FinForm1>().Combo1->setListIndex(0);
    app().window<FinMDIForm1>().setCaption(QStringLiteral("Pursewell - ") + vars().PortfolioBase);
}
}  // namespace

void OpenPortfolio() {
    Variables& v = vars();
    if (v.PortfolioOpen) ClosePortfolio();

    const std::optional<QString> chosen =
        app().openFile(QStringLiteral("Open Portfolio"), QStringLiteral("Pursewell File (*.pwb)|*.pwb"));
    if (!chosen || chosen->size() < 4) return;

    // The last four characters are taken for the extension, whatever they are.
    v.PortfolioFileName = *chosen;
    v.PortfolioBase = chosen->left(chosen->size() - 4);
    namePortfolioFiles(v.PortfolioBase);
    if (!lockPortfolio()) return;
    if (!makeMissingFiles()) {
        releasePortfolioLock();
        return;
    }
    if (!openPortfolioFiles()) return;
    v.PortfolioOpen = true;

    RefreshPortfolioLists();
    LoadAccountSettings();
    RefreshAccountBalances();
    showOpenPortfolio();
    app().window<FinForm4>().ShowMaximized();
}

void CreatePortfolio() {
    Variables& v = vars();
    FinForm3& form = app().window<FinForm3>();
    const QString name = form.Text1->Text();
    if (name.isEmpty() || name.contains(u'/')) {
        app().message(name.isEmpty() ? QStringLiteral("Please enter a name for the new portfolio.")
                                     : QStringLiteral("A portfolio name cannot contain \"/\"."));
        return;
    }
    if (v.PortfolioOpen) ClosePortfolio();

    QString folder = form.Dir1->Path();
    if (!folder.endsWith(u'/')) folder += u'/';
    v.PortfolioBase = folder + name;
    namePortfolioFiles(v.PortfolioBase);
    if (portfolioExists()) {
        app().message(QStringLiteral("Portfolio already exist!"));
        ClosePortfolio();
        return;
    }
    if (!lockPortfolio()) return;

    for (int a = 1; a <= AccountCount; ++a) v.AccountNames[a] = TaggedValue::ofString(DefaultAccountNames[a - 1]);
    for (int c = 1; c <= CategoryCount; ++c)
        v.CategoryNames[c] = c <= 10 ? DefaultCategoryNames[c - 1] : QStringLiteral("No Category");
    // The portfolio file last: it makes the portfolio.
    NewFiles files;
    for (int a = 1; a <= AccountCount; ++a) files.add(v.PortfolioFiles[a], newAccountFile());
    files.add(v.PortfolioFiles[0], newPortfolioFile());
    QString failure;
    if (!files.make(&failure)) {
        if (!failure.isEmpty()) app().message(failure);
        releasePortfolioLock();
        return;
    }
    if (!openPortfolioFiles()) return;
    v.PortfolioOpen = true;

    RefreshPortfolioLists();
    RefreshAccountBalances();
    showOpenPortfolio();
    app().window<FinForm1>().Show();
    app().window<FinForm4>().ShowMaximized();
}

void ClosePortfolio() {
    Variables& v = vars();
    closePortfolioFiles();
    releasePortfolioLock();
    v.PortfolioOpen = false;
    app().window<FinForm1>().hide();
    app().window<FinForm4>().hide();
    app().window<FinForm6>().hide();
    app().window<FinForm9>().hide();
    DisablePortfolioCommands();
}

void CloseFinanceWindow() {
    if (vars().PortfolioOpen) ClosePortfolio();
    app().window<FinMDIForm1>().hide();
}

void RenumberTransactionIds() {
    for (int a = 1; a <= AccountCount; ++a) {
        RecordFile& file = accountFile(a);
        const qint32 count = readCount(file, TransactionCountRecord);
        for (qint32 k = 1; k <= count; ++k) {
            const QString id = TransactionId(a, k);
            const qint32 record = slotRecord(k, TransactionField::Id);
            // Writing an ID that is stored already would leave the same bytes.
            if (file.readString(record) != id) file.writeString(record, id);
        }
    }
}

}  // namespace FinModule
