#include <gtest/gtest.h>

#include <QLineEdit>

#include "support/finance_test.h"

namespace {

using namespace FinModule;

class TransactionListTest : public HomePortfolioTest {
protected:
    static constexpr quint32 DarkBlue = 0xC00000;
    static constexpr quint32 LightCyan = 0xFFFF80;

    // The colours of the summary cell (the grid's current cell moved there).
    static std::pair<quint32, quint32> summaryColours() {
        grid()->setRow(1);
        grid()->setCol(4);
        return {grid()->CellForeColor(), grid()->CellBackColor()};
    }
    static void pickDates(const QDate& from, const QDate& to) {
        list().DTPicker1->pick(from);
        list().DTPicker2->pick(to);
    }
};

// Every account's transactions and debit-order occurrences, in date order,
// rows of one date in the order read (account by account, transactions
// before occurrences), with the sum of the rows so far.
TEST_F(TransactionListTest, RowsStandInDateOrderWithRunningBalancesAndTheTotal) {
    // Amounts that binary fractions hold exactly, so that every sum is exact.
    storeTransaction(1, 1, QDate(2024, 2, 10), "-20.5", " Groceries  ", "  Food ");
    storeTransaction(1, 2, QDate(2024, 1, 5), "1000", "January", "Salary");
    storeTransaction(1, 3, QDate(2024, 2, 1), "-0.0625", "Cinema", "Leisure");
    storeTransactionCount(1, 3);
    storeTransaction(2, 1, QDate(2024, 2, 1), "-7.25", "Market", "Food");
    storeTransactionCount(2, 1);
    storeDebitOrder(2, 1, QDate(2024, 1, 1), QDate(2024, 3, 1), "  Rent ", "500");
    storeDebitOrder(2, 2, QDate(2024, 2, 1), QDate(2030, 2, 1), "Phone", "12.125");
    storeDebitOrderCount(2, 2);
    refill();

    EXPECT_EQ(rows(), QStringList({
                          date(2024, 1, 1) + "|Debit Order|Rent|-500|-500|2 - DO",
                          date(2024, 1, 5) + "|Salary|January|1000|500|1-2",
                          date(2024, 2, 1) + "|Leisure|Cinema|-0.0625|499.9375|1-3",
                          date(2024, 2, 1) + "|Food|Market|-7.25|492.6875|2-1",
                          date(2024, 2, 1) + "|Debit Order|Rent|-500|-7.3125|2 - DO",
                          date(2024, 2, 1) + "|Debit Order|Phone|-12.125|-19.4375|2 - DO",
                          date(2024, 2, 10) + "|Food|Groceries|-20.5|-39.9375|1-1",
                          date(2024, 3, 1) + "|Debit Order|Rent|-500|-539.9375|2 - DO",
                          date(2024, 3, 1) + "|Debit Order|Phone|-12.125|-552.0625|2 - DO",
                      }));
    EXPECT_EQ(row(1), QStringList({"", "", "", "", "-552.0625", ""}));
    EXPECT_EQ(summaryColours(), std::pair(DarkBlue, LightCyan));
    EXPECT_TRUE(grid()->Visible());

    // The running balance is the sum of the shown rows only.
    pickItem(list().Combo1, "Check Account");
    EXPECT_EQ(column(4), QStringList({"1000", "999.9375", "979.4375"}));
    EXPECT_EQ(column(5), QStringList({"1-2", "1-3", "1-1"}));
    EXPECT_TRUE(messages->texts.isEmpty());
}

TEST_F(TransactionListTest, TheFiltersChooseAccountsAndCategories) {
    storeTransaction(1, 1, QDate(2024, 1, 2), "-3", "Bread", "Food");
    const QString transfer = QStringLiteral("Inter Account Transfer");
    storeTransaction(1, 2, QDate(2024, 1, 3), "-50", "Transfer from Check Account to Credit Card", transfer);
    storeTransaction(1, 3, QDate(2024, 1, 4), "-1", "Not quite food", "Food ");
    storeTransactionCount(1, 3);
    storeTransaction(2, 1, QDate(2024, 1, 3), "50", "Transfer to Credit Card from Check Account", transfer);
    storeTransactionCount(2, 1);
    storeDebitOrder(3, 1, QDate(2024, 1, 15), QDate(2024, 2, 15), "Insurance", "30");
    storeDebitOrderCount(3, 1);
    refill();
    EXPECT_EQ(column(5), QStringList({"1-1", "1-2", "2-1", "1-3", "3 - DO", "3 - DO"}));

    // A transfer shows at both ends and adds nothing to the total.
    pickItem(list().Combo2, "Inter Account Transfer");
    EXPECT_EQ(column(3), QStringList({"-50", "50"}));
    EXPECT_EQ(total(), "0");

    // A category matches exactly, spaces included.
    pickItem(list().Combo2, "Food");
    EXPECT_EQ(column(2), QStringList({"Bread"}));

    pickItem(list().Combo2, "Debit Orders");
    EXPECT_EQ(column(1), QStringList({"Debit Order", "Debit Order"}));
    EXPECT_EQ(column(5), QStringList({"3 - DO", "3 - DO"}));
    EXPECT_EQ(total(), "-60");

    pickItem(list().Combo1, "Credit Card");
    EXPECT_EQ(grid()->Rows(), 2);
    EXPECT_EQ(total(), "0");
    pickItem(list().Combo2, "All Categories");
    EXPECT_EQ(column(5), QStringList({"2-1"}));
}

// Typing is no pick: the list stays as it is until an item is picked or a
// date changes; then an account text that names no item of its list reads
// nothing.
TEST_F(TransactionListTest, TypedFilterTextsFillNothing) {
    storeTransaction(1, 1, QDate(2024, 1, 2), "-3", "Bread", "Food");
    storeTransactionCount(1, 1);
    refill();
    ASSERT_EQ(grid()->Rows(), 3);

    list().Combo1->lineEdit()->selectAll();
    QTest::keyClicks(list().Combo1->lineEdit(), "Check");
    QTest::keyClick(list().Combo1->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(grid()->Rows(), 3) << "typing does not refill";

    list().DTPicker2->pick(QDate(2024, 3, 6));
    EXPECT_EQ(grid()->Rows(), 2);
    EXPECT_EQ(total(), "0");
    EXPECT_FALSE(grid()->Visible()) << "a list that reads nothing is left hidden";

    // A typed text that is an item's whole name names that item.
    list().Combo1->lineEdit()->selectAll();
    QTest::keyClicks(list().Combo1->lineEdit(), "Check Account");
    list().DTPicker2->pick(QDate(2024, 3, 7));
    EXPECT_EQ(column(5), QStringList({"1-1"}));

    // An emptied account filter leaves the list hidden until an item is picked.
    list().Combo1->lineEdit()->clear();
    list().DTPicker1->pick(QDate(2020, 1, 1));
    EXPECT_FALSE(grid()->Visible());
    EXPECT_EQ(grid()->Rows(), 2);
    pickItem(list().Combo1, "All Accounts");
    EXPECT_TRUE(grid()->Visible());
    EXPECT_EQ(grid()->Rows(), 3);
}

TEST_F(TransactionListTest, TheDatesBoundTheRowsBothInclusive) {
    storeTransaction(1, 1, QDate(2000, 12, 31), "-1", "Old", "Food");
    storeTransaction(1, 2, QDate(2001, 1, 1), "-2", "First day", "Food");
    storeTransaction(1, 3, QDate(2024, 3, 7), "-4", "Today", "Food");
    storeTransaction(1, 4, QDate(2024, 3, 8), "-8", "Tomorrow", "Food");
    storeTransactionCount(1, 4);
    refill();
    EXPECT_EQ(column(2), QStringList({"First day", "Today"}));
    EXPECT_EQ(total(), "-6");

    pickDates(QDate(2024, 3, 7), QDate(2024, 3, 8));
    EXPECT_EQ(column(2), QStringList({"Today", "Tomorrow"}));
    EXPECT_EQ(column(4), QStringList({"-4", "-12"}));

    // From equal to To: that day only; From after To: nothing.
    pickDates(QDate(2024, 3, 8), QDate(2024, 3, 8));
    EXPECT_EQ(column(2), QStringList({"Tomorrow"}));
    list().DTPicker1->pick(QDate(2024, 3, 9));
    EXPECT_EQ(grid()->Rows(), 2);
    EXPECT_EQ(total(), "0");
    EXPECT_EQ(summaryColours(), std::pair(DarkBlue, LightCyan));
}

// Rows that stand out of date order are sorted by their date keys, rows of
// one date keeping their order, the summary row keeping its place.
TEST_F(TransactionListTest, TheDateSortOrdersRowsThatStandOutOfOrder) {
    FlexGrid* g = grid();
    const std::pair<QDate, const char*> rows[] = {
        {QDate(2024, 3, 1), "c"}, {QDate(2023, 12, 31), "a"}, {QDate(2024, 3, 1), "d"}, {QDate(2024, 1, 1), "b"}};
    for (const auto& [day, text] : rows) {
        g->AddItem(Conversions::dateText(day));
        g->setTextMatrix(g->Rows() - 1, 2, QString::fromLatin1(text));
    }
    SortTransactionGridByDate();
    EXPECT_EQ(column(2), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(column(0), QStringList({date(2023, 12, 31), date(2024, 1, 1), date(2024, 3, 1), date(2024, 3, 1)}));
    EXPECT_EQ(row(1), QStringList({"", "", "", "", "0", ""}));
}

// Each occurrence falls on the start's day of the month, or on the month's
// last day where the month is shorter; the balances count the same days.
TEST_F(TransactionListTest, DebitOrdersFallOnTheStartDayOrTheMonthsLastDay) {
    // 31 January to 31 December of a year: twelve payments.
    storeDebitOrder(1, 1, QDate(2023, 1, 31), QDate(2023, 12, 31), "Gym", "25");
    // A start later than its end occurs never, also by a time of day.
    storeDebitOrder(1, 2, QDate(2023, 5, 2), QDate(2023, 5, 1), "Never", "1");
    writeRecord(account(1), slotRecord(3, 6), doubleBytes(Conversions::toSerialDate(QDate(2023, 6, 1)) + 0.5));
    writeRecord(account(1), slotRecord(3, 7), dateBytes(QDate(2023, 6, 1)));
    writeRecord(account(1), slotRecord(3, 8), stringBytes("Half a day late"));
    storeDebitOrder(2, 1, QDate(2024, 1, 31), QDate(2024, 12, 31), "Leap", "1");
    storeDebitOrderCount(1, 3);
    storeDebitOrderCount(2, 1);
    refill();
    const QStringList expected{date(2023, 1, 31),  date(2023, 2, 28),  date(2023, 3, 31), date(2023, 4, 30),
                               date(2023, 5, 31),  date(2023, 6, 30),  date(2023, 7, 31), date(2023, 8, 31),
                               date(2023, 9, 30),  date(2023, 10, 31), date(2023, 11, 30), date(2023, 12, 31),
                               date(2024, 1, 31),  date(2024, 2, 29)};  // then today, 7 March 2024, ends the list
    EXPECT_EQ(column(0), expected);
    EXPECT_EQ(total(), "-302");
    EXPECT_EQ(summaryOf(1)[0], "-300");
    EXPECT_EQ(summaryOf(2)[0], "-2");

    // A later last day lists the payments up to it.
    list().DTPicker2->pick(QDate(2024, 12, 31));
    EXPECT_EQ(grid()->Rows(), 2 + 12 + 12);
    EXPECT_EQ(grid()->TextMatrix(grid()->Rows() - 1, 0), date(2024, 12, 31));
}

// Amounts are summed exactly: the running balances and the total are money
// texts, as the summary's balances are.
TEST_F(TransactionListTest, BalancesAndTheTotalAreExactSums) {
    storeTransaction(1, 1, QDate(2024, 1, 1), "100000.1");
    storeTransaction(1, 2, QDate(2024, 1, 2), "-99999.7");
    storeTransaction(1, 3, QDate(2024, 1, 3), "0.3");
    storeTransaction(1, 4, QDate(2024, 1, 4), "-0.7");
    storeTransactionCount(1, 4);
    refill();
    EXPECT_EQ(column(4), QStringList({"100000.1", "0.4", "0.7", "0"}));
    EXPECT_EQ(total(), "0");

    // 300 monthly payments of 1234.57 up to today.
    storeDebitOrder(2, 1, QDate(1999, 4, 7), QDate(2030, 4, 7), "Bond", "1234.57");
    storeDebitOrderCount(2, 1);
    pickItem(list().Combo1, "Credit Card");
    list().DTPicker1->pick(QDate(1999, 1, 1));
    QStringList balances;
    for (qint64 n = 1; n <= 300; ++n) balances << Money::fromScaled(-12345700 * n).text();
    EXPECT_EQ(column(4), balances);
    EXPECT_EQ(total(), "-370371");
    EXPECT_EQ(summaryOf(2)[0], total());
}

// Files that another program damaged show what can be read; nothing crashes.
TEST_F(TransactionListTest, DamagedRecordsShowWhatTheyCan) {
    storeTransaction(1, 1, QDate(2024, 1, 2), "-3", "Bread", "Food");
    writeRecord(account(1), slotRecord(2, 1), doubleBytes(std::nan("")));
    writeRecord(account(1), slotRecord(2, 3), stringBytes("No date"));
    storeTransactionCount(1, 2);
    writeRecord(account(2), 10, taggedInteger(-5));
    writeRecord(account(3), 10, taggedString("three"));
    storeDebitOrder(4, 1, QDate(2024, 1, 1), QDate(2100, 12, 31), "For long", "1");
    writeRecord(account(4), slotRecord(2, 6), doubleBytes(1e300));
    writeRecord(account(4), slotRecord(2, 7), doubleBytes(std::numeric_limits<double>::infinity()));
    storeDebitOrderCount(4, 2);
    refill();

    // The row without a date stands first and stays, whatever the dates.
    EXPECT_EQ(column(2), QStringList({"No date", "For long", "Bread", "For long", "For long"}));
    EXPECT_EQ(row(2)[0], "");
    EXPECT_EQ(total(), "-6");
}

}  // namespace
