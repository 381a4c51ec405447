// A write that fails part way through adding or deleting a transaction or a
// debit order (a full disk, a file system gone read-only) ends the program
// with a message; what it leaves in the account file must be whole entries
// under a true count.
#include <gtest/gtest.h>

#include <QDir>
#include <cerrno>
#include <functional>

#include "support/finance_test.h"

namespace {

using namespace FinModule;

class InterruptedAccountWritesTest : public HomePortfolioTest {
protected:
    QString failure(const char* cause) const {
        return QStringLiteral("The file \"%1\" could not be written: %2.").arg(QDir::toNativeSeparators(account(1)), cause);
    }
    // Account 1's file as given, its write number `writesBefore` failing while
    // the user acts; then the next run. What was shown, and whether the program ended.
    std::pair<QStringList, bool> interrupted(const QByteArray& file, int writesBefore, int error,
                                             const std::function<void()>& act) {
        nextRun();
        {
            QFile restore(account(1));
            EXPECT_TRUE(restore.open(QIODevice::WriteOnly | QIODevice::Truncate));
            restore.write(file);
        }
        application->files().recheckAll();
        refill();
        messages->texts.clear();
        accountFile(1).failWrite(writesBefore, error);
        act();
        const std::pair<QStringList, bool> seen{messages->texts, programEnded()};
        nextRun();
        return seen;
    }
    // A transaction as stored but for its ID.
    static std::tuple<double, QString, QString, qint64> fields(const Stored& s) {
        return {s.serial, s.category, s.description, s.amount};
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
    const QByteArray file = bytesOf(account(1));

    for (int writesBefore = 0; writesBefore <= 3; ++writesBefore) {
        SCOPED_TRACE(writesBefore);
        const auto [shown, ended] = interrupted(file, writesBefore, ENOSPC, [] {
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
    const QByteArray file = bytesOf(account(1));
    const QByteArray transactions = withoutDebitOrders(1);

    for (int writesBefore = 0; writesBefore <= 3; ++writesBefore) {
        SCOPED_TRACE(writesBefore);
        const auto [shown, ended] = interrupted(file, writesBefore, ENOSPC, [] {
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

// An added transaction lands whole before the count takes it in.
TEST_F(InterruptedAccountWritesTest, ATransactionThatCannotBeWrittenWholeIsNotCounted) {
    enterTransaction(0, "Food", "Kept", "1", false, QDate(2024, 3, 1));
    const QByteArray file = bytesOf(account(1));
    for (int writesBefore = 0; writesBefore <= 1; ++writesBefore) {
        SCOPED_TRACE(writesBefore);
        const auto [shown, ended] = interrupted(file, writesBefore, EROFS, [this] {
            enterTransaction(0, "Salary", "Lost", "2", true, QDate(2024, 3, 2));
        });
        EXPECT_EQ(shown, QStringList{failure("Read-only file system")});
        EXPECT_TRUE(ended);
        EXPECT_EQ(transactionCount(1), 1);
        EXPECT_EQ(column(2), QStringList({"Kept"}));
    }
}

}  // namespace
