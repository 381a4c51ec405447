// A write that fails part way through adding or deleting a transaction or a
// debit order (a full disk, a file system gone read-only) ends the program
// with a message; what it leaves in the account files, then or when the
// program is killed part way, must be whole entries under true counts. The
// files of a new portfolio appear all together or not at all.
#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/resource.h>

#include "common/new_files.h"
#include "support/finance_test.h"

namespace {

using namespace FinModule;

class InterruptedAccountWritesTest : public HomePortfolioTest {
protected:
    QString failure(int a, const char* cause) const {
        return QStringLiteral("The file \"%1\" could not be written: %2.").arg(QDir::toNativeSeparators(account(a)), cause);
    }
    QString failure(const char* cause) const { return failure(1, cause); }
    // The five account files as they are.
    std::vector<QByteArray> accountFiles() const {
        std::vector<QByteArray> files;
        for (int a = 1; a <= 5; ++a) files.push_back(bytesOf(account(a)));
        return files;
    }
    // Where a change is cut short: account a's write after `writesBefore`
    // successful ones fails with `error`; or, killed, fails unseen, so that
    // nothing after it lands and nothing is told, as when the program is
    // killed there.
    struct Cut {
        int account = 1;
        int writesBefore = 0;
        int error = ENOSPC;
        bool killed = false;
    };
    // The account files as given, a change cut short while the user acts;
    // then the next run. What was shown, and whether the program ended.
    std::pair<QStringList, bool> interrupted(const std::vector<QByteArray>& files, const Cut& cut,
                                             const std::function<void()>& act) {
        nextRun();
        for (int a = 1; a <= 5; ++a) {
            QFile restore(account(a));
            EXPECT_TRUE(restore.open(QIODevice::WriteOnly | QIODevice::Truncate));
            restore.write(files[size_t(a - 1)]);
        }
        application->files().recheckAll();
        refill();
        messages->texts.clear();
        accountFile(cut.account).setReportFailures(!cut.killed);
        accountFile(cut.account).failWrite(cut.writesBefore, cut.error);
        act();
        const std::pair<QStringList, bool> seen{messages->texts, programEnded()};
        nextRun();
        return seen;
    }
    // A transaction as stored but for its ID.
    static std::tuple<double, QString, QString, qint64> fields(const Stored& s) {
        return {s.serial, s.category, s.description, s.amount};
    }
    // The transactions an account's count takes in, as stored.
    std::vector<Stored> counted(int a) const {
        std::vector<Stored> all;
        for (int k = 1; k <= transactionCount(a); ++k) all.push_back(stored(a, k));
        return all;
    }
    static std::vector<Stored> plus(std::vector<Stored> list, const Stored& added) {
        list.push_back(added);
        return list;
    }
};

// Whatever write fails, every counted transaction is one of those stored
// before, whole, and the deleted one is gone only under the count that
// leaves it out.
TEST_F(InterruptedAccountWritesTest, ATransactionDeleteInterruptedAtAnyWriteLeavesOnlyWholeTransactions) {
    const int count = 4;
    for (int k = 1; k <= count; ++k)
        storeTransaction(1, k, QDate(2024, 1, k), QString::number(-k), QStringLiteral("Description %1").arg(k),
                         QStringLiteral("Category %1").arg(k));
    storeTransactionCount(1, count);
    std::vector<Stored> original;
    for (int k = 1; k <= count; ++k) original.push_back(stored(1, k));
    const auto files = accountFiles();

    for (int writesBefore = 0; writesBefore <= 3; ++writesBefore) {
        SCOPED_TRACE(writesBefore);
        const auto [shown, ended] = interrupted(files, {1, writesBefore}, [] {
            clickRow(rowOf("1-2"));
            click(list().Command3);
        });
        const int left = transactionCount(1);
        EXPECT_TRUE(left == count || left == count - 1) << left;
        for (int k = 1; k <= left; ++k) {
            const Stored now = stored(1, k);
            EXPECT_TRUE(std::any_of(original.begin(), original.end(), [&](const Stored& s) { return fields(s) == fields(now); }))
                << "transaction " << k << " mixes fields";
            EXPECT_FALSE(left == count - 1 && now.description == "Description 2");
        }
        if (writesBefore < 3) {
            EXPECT_EQ(shown, QStringList{failure("No space left on device")});
            EXPECT_TRUE(ended);
        } else {
            EXPECT_TRUE(shown.isEmpty()) << "a delete writes the moved range, the count and the blank slot";
            EXPECT_EQ(column(5), QStringList({"1-1", "1-2", "1-3"}));
            EXPECT_EQ(column(2), QStringList({"Description 1", "Description 3", "Description 4"}));
        }
    }
}

// Whatever write of a delete fails, the account holds whole debit orders
// under a true count, and its transactions as they were.
TEST_F(InterruptedAccountWritesTest, ADebitOrderDeleteInterruptedAtAnyStepLeavesWholeDebitOrders) {
    for (int k = 1; k <= 3; ++k) storeTransaction(1, k, QDate(2001, 1, k), QString::number(k));
    storeTransactionCount(1, 3);
    QList<QByteArray> original;
    const QStringList names = {"One", "Two", "Three", "Four"};
    for (int j = 1; j <= 4; ++j) {
        storeDebitOrder(1, j, QDate(2001, 1, j), QDate(2001, 12, j), names[j - 1], QString::number(10 * j));
        original << storedDebitOrder(1, j);
    }
    storeDebitOrderCount(1, 4);
    const auto files = accountFiles();
    const QByteArray transactions = withoutDebitOrders(1);

    for (int writesBefore = 0; writesBefore <= 3; ++writesBefore) {
        SCOPED_TRACE(writesBefore);
        const auto [shown, ended] = interrupted(files, {1, writesBefore}, [] {
            app().window<FinMDIForm1>().DOrders->trigger();
            FinForm9& form = app().window<FinForm9>();
            form.Combo1->pick(0);
            clickRow(3, form.MSFlexGrid1);  // "Two"
            click(form.Command3);
        });
        const qint32 count = readCount(accountFile(1), DebitOrderCountRecord);
        QStringList left;
        for (int j = 1; j <= count; ++j) {
            EXPECT_TRUE(original.contains(storedDebitOrder(1, j))) << "debit order " << j << " mixes two";
            left << storedString(account(1), slotRecord(j, 8));
        }
        EXPECT_EQ(withoutDebitOrders(1).left(transactions.size()), transactions);
        const QList<QStringList> expected = {names, {"One", "Three", "Four", "Four"}, {"One", "Three", "Four"}};
        EXPECT_EQ(left, expected[std::min(writesBefore, 2)]);
        EXPECT_EQ(shown, writesBefore < 3 ? QStringList{failure("No space left on device")} : QStringList());
        EXPECT_EQ(ended, writesBefore < 3);
    }
}

// An added transaction, or either half of a transfer, lands whole, its ID
// with it, before the count that takes it in; a failure between the two
// halves of a transfer takes the first back before it is told. Cut short at
// any write, the accounts hold what they held, or the whole entry.
TEST_F(InterruptedAccountWritesTest, AnAdditionCutShortAtAnyWriteLeavesTheAccountsAsTheyWereOrTheEntryWhole) {
    const QDate day(2024, 3, 2);
    const double serial = Conversions::toSerialDate(day);
    enterTransaction(0, "Food", "Kept", "1", false, QDate(2024, 3, 1));
    enterTransaction(1, "Salary", "Pay", "5", true, QDate(2024, 3, 1));
    const auto files = accountFiles();
    const std::vector<Stored> before1 = counted(1), before2 = counted(2);
    const QString totalBefore = total();

    const Stored lost{serial, "Salary", "Lost", 20000, "1-2"};
    const Stored out{serial, "Inter Account Transfer", "Transfer from Check Account to Credit Card", -1000000, "1-2"};
    const Stored in{serial, "Inter Account Transfer", "Transfer to Credit Card from Check Account", 1000000, "2-2"};
    struct Addition {
        const char* what;
        std::function<void()> act;
        std::vector<int> accounts;  // whose writes are cut
        std::vector<Stored> whole1, whole2;
    };
    const std::vector<Addition> additions = {
        {"transaction", [&] { enterTransaction(0, "Salary", "Lost", "2", true, day); }, {1}, plus(before1, lost), before2},
        {"transfer", [&] { enterTransfer(0, 1, "100", day); }, {1, 2}, plus(before1, out), plus(before2, in)},
    };
    for (const Addition& addition : additions)
        for (const bool killed : {false, true})
            for (const int a : addition.accounts)
                for (int writesBefore = 0; writesBefore <= 2; ++writesBefore) {
                    SCOPED_TRACE(testing::Message() << addition.what << (killed ? " killed" : " failed") << " at write "
                                                    << writesBefore << " of account " << a);
                    const auto [shown, ended] = interrupted(files, {a, writesBefore, EROFS, killed}, addition.act);
                    const bool whole = counted(1) == addition.whole1 && counted(2) == addition.whole2;
                    const bool asBefore = counted(1) == before1 && counted(2) == before2;
                    if (killed && a == 2 && writesBefore == 1) {
                        // Killed between the two counts of a transfer: the one
                        // moment that leaves its first half alone.
                        EXPECT_EQ(counted(1), addition.whole1);
                        EXPECT_EQ(counted(2), before2);
                        continue;
                    }
                    EXPECT_TRUE(whole || asBefore);
                    if (addition.accounts.size() == 2) {
                        EXPECT_EQ(total(), totalBefore) << "a transfer moves money, it makes none";
                    }
                    const bool told = !killed && !whole;
                    EXPECT_EQ(shown, told ? QStringList{failure(a, "Read-only file system")} : QStringList());
                    EXPECT_EQ(ended, told);
                }
}

// "New Portfolio" makes six files together; the folder never holds part of them.
class InterruptedNewPortfolioTest : public FinanceTest {
protected:
    // Files may grow no larger than `bytes` while it lives, as on a full disk.
    struct FileSizeLimit {
        rlimit saved{};
        void (*handler)(int);
        explicit FileSizeLimit(rlim_t bytes) {
            handler = std::signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &saved);
            rlimit limit = saved;
            limit.rlim_cur = bytes;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        ~FileSizeLimit() {
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, handler);
        }
    };
    // The data folder emptied, the program started afresh.
    void emptyFolder() {
        makeApplication();
        for (const QFileInfo& f : QDir(dataDir.path()).entryInfoList(QDir::Files | QDir::Hidden))
            QFile::remove(f.filePath());
    }
    // "Home" open, its six files what a new portfolio holds, nothing else in the folder.
    void expectHomeWhole() {
        EXPECT_TRUE(portfolioOpen());
        EXPECT_EQ(bytesOf(pwb("Home")), newPortfolioFile());
        for (int a = 1; a <= 5; ++a) EXPECT_EQ(bytesOf(acc("Home", a)), newAccountFile()) << "account " << a;
        QStringList names;
        for (const auto& [name, bytes] : folderFiles()) names << name;
        EXPECT_EQ(names, QStringList({"Home.pwb", "Home.pwb.lock", "Home_1.acc", "Home_2.acc", "Home_3.acc",
                                      "Home_4.acc", "Home_5.acc"}));
    }
};

// A disk that cannot take the portfolio file fails "New Portfolio" part way:
// the cause is told, and the folder is as it was, so that the same name can
// be made once there is room.
TEST_F(InterruptedNewPortfolioTest, ANewPortfolioTheDiskCannotTakeLeavesTheFolderAsItWas) {
    openFinance();
    const auto before = folderFiles();
    {
        const FileSizeLimit full(3000);  // the account files fit, the portfolio file does not
        createPortfolio(QStringLiteral("Home"));
    }
    EXPECT_EQ(messages->texts, QStringList{"The file \"" + pwb("Home") + "\" could not be written: File too large."});
    EXPECT_EQ(folderFiles(), before);
    EXPECT_FALSE(portfolioOpen());

    makeApplication();
    createPortfolio(QStringLiteral("Home"));
    EXPECT_TRUE(messages->texts.isEmpty()) << messages->texts.join(u'\n').toStdString();
    expectHomeWhole();
}

// Cut short at any step, "New Portfolio" leaves the folder as it was (and
// says why when it failed) or the portfolio whole. After a kill, what is
// left shows the open dialog no new portfolio, and making the same name in
// the next run gives it whole.
TEST_F(InterruptedNewPortfolioTest, ANewPortfolioCutShortAtAnyStepLeavesTheFolderAsItWasOrThePortfolioWhole) {
    const QRegularExpression failure("The file \"" + QRegularExpression::escape(dataPath("Home")) +
                                     "(\\.pwb|_[1-5]\\.acc)\" could not be written: No space left on device\\.");
    // The folder empty, or with the six empty files that opening a new name leaves.
    for (const bool emptyFilesThere : {false, true})
        for (const bool killed : {false, true})
            for (int stepsBefore = 0;; ++stepsBefore) {
                SCOPED_TRACE(testing::Message() << (emptyFilesThere ? "empty files there, " : "") << (killed ? "killed" : "failed")
                                                << " at step " << stepsBefore);
                emptyFolder();
                if (emptyFilesThere) {
                    QFile(pwb("Home")).open(QIODevice::WriteOnly);
                    for (int a = 1; a <= 5; ++a) QFile(acc("Home", a)).open(QIODevice::WriteOnly);
                }
                const auto before = folderFiles();
                NewFiles::failStep(stepsBefore, killed ? 0 : ENOSPC);
                createPortfolio(QStringLiteral("Home"));
                if (portfolioOpen()) {  // no step was left to cut
                    EXPECT_TRUE(messages->texts.isEmpty());
                    expectHomeWhole();
                    EXPECT_EQ(stepsBefore, emptyFilesThere ? 18 : 12) << "each file written, what it replaces put aside, then it renamed";
                    break;
                }
                EXPECT_FALSE(programEnded());
                if (!killed) {
                    ASSERT_EQ(messages->texts.size(), 1);
                    EXPECT_TRUE(failure.match(messages->texts[0]).hasMatch()) << messages->texts[0].toStdString();
                    EXPECT_EQ(folderFiles(), before);
                } else {
                    EXPECT_TRUE(messages->texts.isEmpty());
                    for (const QString& name : QDir(dataDir.path()).entryList({"*.pwb"}, QDir::Files | QDir::Hidden))
                        EXPECT_EQ(bytesOf(dataPath(name)), before.at(name)) << name.toStdString();
                }
                makeApplication();
                createPortfolio(QStringLiteral("Home"));
                EXPECT_TRUE(messages->texts.isEmpty()) << messages->texts.join(u'\n').toStdString();
                expectHomeWhole();
            }
}

}  // namespace
