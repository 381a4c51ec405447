#include <gtest/gtest.h>

#include "support/finance_test.h"

namespace {

using namespace FinModule;

class BalancesTest : public HomePortfolioTest {
protected:
    void today(const QDate& day) { clock->set(QDateTime(day, QTime(23, 59, 59))); }
    void refresh() {
        messages->texts.clear();
        RefreshAccountBalances();
    }
};

// What counts is what falls on today or before: debit-order occurrences and
// transactions alike.
TEST_F(BalancesTest, DebitOrdersAndTransactionsCountUpToToday) {
    storeDebitOrder(1, 1, QDate(2001, 1, 15), QDate(2030, 12, 15), "Insurance", "100");
    storeDebitOrderCount(1, 1);
    storeTransaction(2, 1, QDate(2001, 3, 20), "50");
    storeTransaction(2, 2, QDate(2001, 3, 21), "70");
    storeTransaction(2, 3, QDate(1999, 12, 31), "-0.05");
    storeTransactionCount(2, 3);
    today(QDate(2001, 3, 20));
    refresh();
    EXPECT_EQ(summaryOf(1), QStringList({"-300", "-300"}));
    EXPECT_EQ(summaryOf(2)[0], "49.95");
    EXPECT_EQ(app().window<FinForm4>().Label5->Caption(), date(2001, 3, 20));
    for (int a = 3; a <= 5; ++a) EXPECT_EQ(summaryOf(a), QStringList({"0", "0"}));
    clock->set(QDateTime(QDate(2001, 3, 21), QTime(0, 0)));
    refresh();
    EXPECT_EQ(summaryOf(2)[0], "119.95");

    // A debit order that starts later changes nothing until it starts, on that day.
    storeDebitOrder(1, 2, QDate(2001, 4, 15), QDate(2001, 6, 15), "Later", "7.25");
    storeDebitOrderCount(1, 2);
    today(QDate(2001, 4, 14));
    refresh();
    EXPECT_EQ(summaryOf(1)[0], "-300");
    today(QDate(2001, 4, 15));
    refresh();
    EXPECT_EQ(summaryOf(1)[0], "-407.25");
    today(QDate(2031, 1, 1));
    refresh();
    EXPECT_EQ(summaryOf(1)[0], "-36021.75");  // 360 occurrences and 3
}

TEST_F(BalancesTest, TheSumIsExactAndTheAvailableBalanceAddsTheOverdraft) {
    // Ten times 0.1 and the like drift in floating point; amounts do not.
    for (int k = 1; k <= 10; ++k) storeTransaction(3, k, QDate(2001, 1, k), "0.1");
    storeTransaction(3, 11, QDate(2001, 1, 11), "0.2");
    storeTransaction(3, 12, QDate(2001, 1, 12), "-0.3");
    storeTransaction(3, 13, QDate(2001, 1, 13), "123456789.0001");
    storeTransactionCount(3, 13);
    storeTransaction(4, 1, QDate(2001, 1, 1), "-250");
    storeTransactionCount(4, 1);
    storeSettings(4, "10000", 0, "0", 0, "0");
    storeSettings(5, "-100", 0, "0", 0, "0");
    today(QDate(2001, 3, 20));
    refresh();
    EXPECT_EQ(summaryOf(3), QStringList({"123456789.9001", "123456789.9001"}));
    EXPECT_EQ(summaryOf(4), QStringList({"-250", "9750"}));
    EXPECT_EQ(summaryOf(5), QStringList({"0", "-100"})) << "any overdraft amount counts";
}

TEST_F(BalancesTest, AlarmsCompareStrictlyAndShowHighFirstOnEveryRun) {
    today(QDate(2001, 3, 20));
    storeTransaction(1, 1, QDate(2001, 1, 1), "20000");
    storeTransactionCount(1, 1);
    storeSettings(1, "0", -1, "20000", 0, "0");
    refresh();
    EXPECT_TRUE(messages->texts.isEmpty()) << "a balance at its threshold";

    storeTransaction(1, 2, QDate(2001, 1, 2), "0.01");
    storeTransactionCount(1, 2);
    refresh();
    EXPECT_EQ(messages->texts, QStringList{"Balance of Check Account is higher than 20000"});

    storeTransaction(2, 1, QDate(2001, 1, 1), "-0.5");
    storeTransactionCount(2, 1);
    storeSettings(2, "5000", 0, "0", -1, "0");
    storeTransaction(4, 1, QDate(2001, 1, 1), "300");
    storeTransactionCount(4, 1);
    storeSettings(4, "0", -1, "100", -1, "500.5");
    storeSettings(5, "0", 1, "-1", 1, "1");  // flags other than -1 are off
    refresh();
    EXPECT_EQ(messages->texts, QStringList({"Balance of Check Account is higher than 20000",
                                            "Balance of Credit Card is lower than 0",
                                            "Balance of Home Loan is higher than 100",
                                            "Balance of Home Loan is lower than 500.5"}));
    refresh();
    EXPECT_EQ(messages->texts.size(), 4) << "nothing is remembered between runs";
}

TEST_F(BalancesTest, DamagedEntriesNeverStopTheSum) {
    storeTransaction(1, 1, QDate(2001, 1, 1), "10");
    storeTransaction(1, 2, QDate(2001, 1, 2), "20");
    writeRecord(account(1), 11, QByteArray::fromHex("000000000000f87f"));  // a date that is no number
    storeTransactionCount(1, 2);
    storeDebitOrder(1, 1, QDate(2001, 1, 5), QDate(2001, 3, 5), "Odd", "1");
    writeRecord(account(1), 7, QByteArray::fromHex("000000000000f87f"));  // an end that is no number
    storeDebitOrderCount(1, 1);
    writeRecord(account(3), 10, taggedInteger(-5));
    today(QDate(2001, 3, 20));
    refresh();
    EXPECT_EQ(summaryOf(1)[0], "10");
    EXPECT_EQ(summaryOf(3)[0], "0");
}

// Only a file that another program wrote holds sums beyond the range of
// amounts: such a sum shows as too large, never cut to the range's end, and
// the sums after it are exact again.
TEST_F(BalancesTest, ASumBeyondTheRangeIsToldAndTheLaterOnesAreExact) {
    const QString largest = "922337203685477.5807", tooLarge = "Too large to show";
    for (const auto& [k, amount] : {std::pair{1, largest}, {2, largest}, {3, "-" + largest}, {4, QString("-0.0001")}})
        storeTransaction(2, k, QDate(2001, 1, k), amount);
    storeTransactionCount(2, 4);
    storeSettings(2, "0", -1, "0", -1, "0");
    writeRecord(account(3), 4, QByteArray::fromHex("0000000000000080"));  // the type's minimum
    storeTransactionCount(3, 1);
    storeDebitOrder(4, 1, QDate(2001, 1, 2), QDate(2001, 3, 2), "Huge", "-" + largest);
    storeDebitOrderCount(4, 1);
    today(QDate(2001, 1, 2));
    refresh();
    EXPECT_EQ(summaryOf(2), QStringList({tooLarge, tooLarge}));
    EXPECT_EQ(summaryOf(3), QStringList({tooLarge, tooLarge}));
    EXPECT_EQ(summaryOf(4), QStringList({largest, largest}));
    EXPECT_TRUE(messages->texts.isEmpty()) << "no alarm on a balance too large to show";
    today(QDate(2001, 3, 20));
    refresh();
    EXPECT_EQ(summaryOf(2)[0], "922337203685477.5806");
    EXPECT_EQ(summaryOf(4)[0], tooLarge);

    pickItem(list().Combo1, "Credit Card");
    EXPECT_EQ(column(4), QStringList({largest, tooLarge, largest, "922337203685477.5806"}));
    EXPECT_EQ(total(), "922337203685477.5806");
}

}  // namespace
