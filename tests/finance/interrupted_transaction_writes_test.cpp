// A write that fails part way through adding or deleting a transaction (a
// full disk, a file system gone read-only) ends the program with a message;
// what it leaves in the account file must be whole transactions under a true
// count.
#include <gtest/gtest.h>

#include <QDir>
#include <cerrno>

#include "support/transaction_test.h"

namespace {

using namespace FinModule;

class InterruptedTransactionWritesTest : public TransactionTest {
protected:
    QString failure(int a, const char* cause) const {
        return QStringLiteral("The file \"%1\" could not be written: %2.")
            .arg(QDir::toNativeSeparators(account(a)), cause);
    }
    // The ended program has closed its files: the next run opens the portfolio again.
    void nextRun() {
        makeApplication();
        openPortfolio(pwb("Home"));
        ASSERT_TRUE(portfolioOpen());
        app().window<FinMDIForm1>().ViewT->trigger();
        QCoreApplication::processEvents();
    }
    // A transaction as stored but for its ID.
    static std::tuple<double, QString, QString, qint64> fields(const Stored& s) {
        return {s.serial, s.category, s.description, s.amount};
    }
};

// Whatever write fails, every counted transaction is one of those stored
// before, whole, and the deleted one is gone only under the count that
// leaves it out.
TEST_F(InterruptedTransactionWritesTest, ADeleteInterruptedAtAnyWriteLeavesOnlyWholeTransactions) {
    const int count = 4;
    for (int k = 1; k <= count; ++k)
        storeTransaction(1, k, QDate(2024, 1, k), QString::number(-k), QStringLiteral("Description %1").arg(k),
                         QStringLiteral("Category %1").arg(k));
    storeTransactionCount(1, count);
    std::vector<Stored> original;
    for (int k = 1; k <= count; ++k) original.push_back(stored(1, k));
    const QByteArray file = bytesOf(account(1));

    for (int writesBefore = 0; writesBefore <= 3; ++writesBefore) {
        SCOPED_TRACE(writesBefore);
        nextRun();
        {
            QFile restore(account(1));
            ASSERT_TRUE(restore.open(QIODevice::WriteOnly | QIODevice::Truncate));
            restore.write(file);
        }
        application->files().recheckAll();
        refill();
        messages->texts.clear();

        accountFile(1).failWrite(writesBefore, ENOSPC);
        clickRow(rowOf("1-2"));
        click(list().Command3);
        const QStringList shown = messages->texts;
        const bool ended = programEnded();
        nextRun();

        const int left = transactionCount(1);
        EXPECT_TRUE(left == count || left == count - 1) << left;
        bool deletedSeen = false;
        for (int k = 1; k <= left; ++k) {
            const Stored now = stored(1, k);
            const auto same = std::find_if(original.begin(), original.end(),
                                           [&](const Stored& s) { return fields(s) == fields(now); });
            ASSERT_NE(same, original.end()) << "transaction " << k << " mixes fields";
            deletedSeen |= now.description == "Description 2";
        }
        if (left == count - 1) {
            EXPECT_FALSE(deletedSeen);
        }
        if (writesBefore < 3) {
            EXPECT_EQ(shown, QStringList{failure(1, "No space left on device")});
            EXPECT_TRUE(ended);
        } else {
            EXPECT_TRUE(shown.isEmpty()) << "a delete writes the moved range, the count and the blank slot";
            EXPECT_EQ(left, count - 1);
            EXPECT_EQ(column(5), QStringList({"1-1", "1-2", "1-3"}));
            EXPECT_EQ(column(2), QStringList({"Description 1", "Description 3", "Description 4"}));
        }
    }
}

// An added transaction lands whole before the count takes it in.
TEST_F(InterruptedTransactionWritesTest, ATransactionThatCannotBeWrittenWholeIsNotCounted) {
    enterTransaction(0, "Food", "Kept", "1", false, QDate(2024, 3, 1));
    for (int writesBefore = 0; writesBefore <= 1; ++writesBefore) {
        SCOPED_TRACE(writesBefore);
        nextRun();
        messages->texts.clear();
        accountFile(1).failWrite(writesBefore, EROFS);
        enterTransaction(0, "Salary", "Lost", "2", true, QDate(2024, 3, 2));
        EXPECT_EQ(messages->texts, QStringList{failure(1, "Read-only file system")});
        EXPECT_TRUE(programEnded());
        nextRun();
        EXPECT_EQ(transactionCount(1), 1);
        EXPECT_EQ(column(2), QStringList({"Kept"}));
    }
}

}  // namespace
