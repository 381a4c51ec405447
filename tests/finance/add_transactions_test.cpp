#include <gtest/gtest.h>

#include <QMdiArea>

#include "support/finance_test.h"

namespace {

using namespace FinModule;

class AddTransactionsTest : public HomePortfolioTest {
protected:
    const QString Incomplete = QStringLiteral("Form Incomplete. Transaction not added.");
    static QString notANumber(const QString& typed) {
        return "\"" + typed + "\" is not an amount. Please type a number such as 150 or 99.95. Transaction not added.";
    }

    // Counts the showings of the notice.
    struct ShowCounter : QObject {
        int shown = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Show) ++shown;
            return false;
        }
    };
    void watchNotice() { app().window<FinForm7>().installEventFilter(&notices); }
    ShowCounter notices;

    std::map<QString, QByteArray> accountFiles() const {
        std::map<QString, QByteArray> all;
        for (int a = 1; a <= 5; ++a) all[account(a)] = bytesOf(account(a));
        return all;
    }
};

TEST_F(AddTransactionsTest, AnExpenseIsStoredNegativeWithoutTimeOfDayAndListed) {
    clock->set(QDateTime(QDate(2024, 3, 7), QTime(15, 45)));
    const int pauses = clock->pauses();
    watchNotice();
    enterTransaction(1, "Food", "Groceries", "20", false, QDate(2024, 3, 5));

    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_EQ(notices.shown, 1) << "the notice shows during the pause";
    EXPECT_FALSE(app().window<FinForm7>().isVisible()) << "and is gone after it";
    EXPECT_EQ(clock->pauses(), pauses + 1);
    EXPECT_EQ(app().window<FinForm7>().Label1->Caption(), "Transaction Added .....");

    EXPECT_EQ(transactionCount(2), 1);
    EXPECT_EQ(stored(2, 1), (Stored{Conversions::toSerialDate(QDate(2024, 3, 5)), "Food", "Groceries", -200000, "2-1"}))
        << "a whole day";
    EXPECT_EQ(transactionCount(1), 0);
    EXPECT_EQ(rows(), QStringList{date(2024, 3, 5) + "|Food|Groceries|-20|-20|2-1"});
    EXPECT_EQ(entry().Text1->Text(), "Groceries") << "kept for the next entry";
}

// An account file put back from a copy while the portfolio is open: the list
// shows what it holds before the next click lands, and the entry goes into it.
TEST_F(AddTransactionsTest, AnAccountFileReplacedUnderTheOpenPortfolioIsShownAndWritten) {
    enterTransaction(0, "Food", "Bread", "5", false, QDate(2024, 3, 1));
    ASSERT_TRUE(QFile::copy(account(1), account(1) + ".copy"));
    enterTransaction(0, "Food", "Milk", "3", false, QDate(2024, 3, 2));
    ASSERT_TRUE(QFile::remove(account(1)) && QFile::rename(account(1) + ".copy", account(1)));

    enterTransaction(0, "Food", "Eggs", "2", false, QDate(2024, 3, 3));
    EXPECT_EQ(transactionCount(1), 2);
    EXPECT_EQ(QStringList({stored(1, 1).description, stored(1, 2).description, stored(1, 2).id}),
              QStringList({"Bread", "Eggs", "1-2"}));
    EXPECT_EQ(column(2), QStringList({"Bread", "Eggs"}));
    EXPECT_EQ(summaryOf(1).front(), "-7");
    EXPECT_TRUE(messages->texts.isEmpty());

    // Put in its place damaged, or cut short where it lies: told before the
    // user's next action, the portfolio closed, nothing written into it.
    const QByteArray sound = bytesOf(account(1));
    for (bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "cut short in place" : "put in place");
        if (!portfolioOpen()) openPortfolio(pwb("Home"));
        messages->texts.clear();
        const QByteArray damaged = withValue(sound, 10, taggedInteger(9));
        if (inPlace) {
            writeRecord(account(1), 10, taggedInteger(9));
        } else {
            writeFile(account(1) + ".copy", damaged);
            ASSERT_TRUE(QFile::remove(account(1)) && QFile::rename(account(1) + ".copy", account(1)));
        }
        enterTransaction(0, "Food", "Jam", "4", false, QDate(2024, 3, 4));
        EXPECT_EQ(messages->texts, QStringList{QStringLiteral("The file \"%1\" is damaged: its count of transactions is 9, "
                                                              "but it holds only 2.\nThe portfolio has been closed; "
                                                              "nothing has been written into it.")
                                                   .arg(account(1))});
        EXPECT_FALSE(portfolioOpen());
        EXPECT_FALSE(programEnded());
        EXPECT_EQ(bytesOf(account(1)), damaged);
        writeFile(account(1), sound);
    }

    // Damaged between the user's action and the write it makes: refused all the same.
    openPortfolio(pwb("Home"));
    messages->texts.clear();
    writeRecord(account(1), 10, taggedInteger(-1));
    const QByteArray damaged = bytesOf(account(1));
    FinModule::vars().AccountNames[1] = TaggedValue::ofString("Checks");
    EXPECT_EQ(accountFile(1).writeString(3, u"Late"), RecordFile::Write::Failed);
    EXPECT_EQ(bytesOf(account(1)), damaged);
    EXPECT_EQ(messages->texts, QStringList{QStringLiteral("The file \"%1\" is damaged: its count of transactions is "
                                                          "negative (-1). Nothing has been written into it.")
                                               .arg(account(1))});
    EXPECT_TRUE(programEnded());
}

TEST_F(AddTransactionsTest, TheSignFollowsIncomeOrExpenceAndZeroIsAnAmount) {
    enterTransaction(0, "Salary", "Pay", "1234.5678", true, QDate(2024, 3, 1));
    enterTransaction(0, "Salary", "Refund of pay", "-5", true, QDate(2024, 3, 2));
    enterTransaction(0, "Food", "Returned", "-5", false, QDate(2024, 3, 3));
    enterTransaction(0, "Food", "Free", "0", false, QDate(2024, 3, 4));
    enterTransaction(0, "Food", "Spaces around", " 7.5 ", false, QDate(2024, 3, 4));
    EXPECT_TRUE(messages->texts.isEmpty());

    EXPECT_EQ(transactionCount(1), 5);
    QList<qint64> amounts;
    for (int k = 1; k <= 5; ++k) amounts << stored(1, k).amount;
    EXPECT_EQ(amounts, QList<qint64>({12345678, -50000, 50000, 0, -75000}));
    EXPECT_EQ(column(5), QStringList({"1-1", "1-2", "1-3", "1-4", "1-5"}));
    EXPECT_EQ(column(3), QStringList({"1234.5678", "-5", "5", "0", "-7.5"}));
    EXPECT_EQ(total(), "1227.0678");
}

// A transfer is two transactions: out of the first account, then into the
// second; the list shows both, adding nothing to the total.
TEST_F(AddTransactionsTest, ATransferTakesFromOneAccountAndGivesToTheOther) {
    watchNotice();
    enterTransfer(0, 1, "100", QDate(2024, 2, 29));
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_EQ(notices.shown, 1);

    const Stored out = stored(1, 1), in = stored(2, 1);
    const double day = Conversions::toSerialDate(QDate(2024, 2, 29));
    EXPECT_EQ(out, (Stored{day, "Inter Account Transfer", "Transfer from Check Account to Credit Card",
                           -1000000, "1-1"}));
    EXPECT_EQ(in, (Stored{day, "Inter Account Transfer", "Transfer to Credit Card from Check Account",
                          1000000, "2-1"}));
    EXPECT_EQ(column(5), QStringList({"1-1", "2-1"}));
    EXPECT_EQ(column(4), QStringList({"-100", "0"}));
    EXPECT_EQ(total(), "0");

    // Long account names give long descriptions, kept whole.
    const QString thirty(30, u'x');
    writeRecord(pwb("Home"), 3, taggedString(thirty));
    writeRecord(pwb("Home"), 4, taggedString(thirty + "y"));
    RefreshPortfolioLists();
    enterTransfer(2, 3, "1", QDate(2024, 3, 1));
    EXPECT_EQ(stored(3, 1).description, "Transfer from " + thirty + " to " + thirty + "y");
}

TEST_F(AddTransactionsTest, ARefusedEntryIsToldAndNothingIsWrittenOrNoticed) {
    const auto before = accountFiles();
    const int pauses = clock->pauses();
    watchNotice();

    // Each required field left empty in turn.
    enterTransaction(-1, "Food", "Bread", "2", false, QDate(2024, 3, 1));
    enterTransaction(0, "Food", "", "2", false, QDate(2024, 3, 1));
    enterTransaction(0, "Food", "Bread", "", false, QDate(2024, 3, 1));
    RefreshPortfolioLists();  // no category chosen any more
    enterTransaction(0, "", "Bread", "2", false, QDate(2024, 3, 1));
    enterTransfer(-1, 1, "5", QDate(2024, 3, 1));
    enterTransfer(0, 1, "", QDate(2024, 3, 1));
    EXPECT_EQ(messages->texts, QStringList(6, Incomplete));

    // Amounts that are no numbers, have too many decimals or are too large
    // (the reading itself is checked with Money); each is told what it is.
    messages->texts.clear();
    for (const char* amount : {"ten", "   ", "999999999999999", "12.34567"})
        enterTransaction(0, "Food", "Bread", amount, false, QDate(2024, 3, 1));
    enterTransfer(0, 1, "1.2.3", QDate(2024, 3, 1));
    EXPECT_EQ(messages->texts,
              QStringList({notANumber("ten"), notANumber("   "),
                           "\"999999999999999\" is too large an amount. The program holds amounts from "
                           "-922337203685477.5807 to 922337203685477.5807. Transaction not added.",
                           "\"12.34567\" has too many decimals. Please type an amount with at most four decimals, "
                           "such as 99.95. Transaction not added.",
                           notANumber("1.2.3")}));

    // A description the files cannot hold exactly.
    messages->texts.clear();
    enterTransaction(0, "Food", QString::fromUtf8("Chleb z \u0141odzi"), "2", false, QDate(2024, 3, 1));
    EXPECT_EQ(messages->texts, QStringList{QString::fromUtf8("The character \"\u0141\" cannot be kept in the "
                                                             "organizer's files. Please type the text without it.")});

    // The two ends of a transfer must differ, also by name only.
    messages->texts.clear();
    enterTransfer(2, 2, "5", QDate(2024, 3, 1));
    writeRecord(pwb("Home"), 5, taggedString("Savings Account"));
    RefreshPortfolioLists();
    enterTransfer(2, 4, "5", QDate(2024, 3, 1));
    EXPECT_EQ(messages->texts,
              QStringList(2, "Please select two different accounts for an inter account transfer"));

    EXPECT_EQ(accountFiles(), before);
    EXPECT_EQ(clock->pauses(), pauses);
    EXPECT_EQ(notices.shown, 0) << "no notice for a refused entry";
}

TEST_F(AddTransactionsTest, AFullAccountTakesNoMore) {
    storeTransactionCount(2, MaxTransactions);
    const auto before = accountFiles();
    enterTransaction(1, "Food", "One more", "1", false, QDate(2024, 3, 1));
    enterTransfer(0, 1, "1", QDate(2024, 3, 1));
    EXPECT_EQ(messages->texts,
              QStringList(2, "The account \"Credit Card\" holds 32767 transactions, as many as an account can hold. "
                             "Transaction not added."));
    EXPECT_EQ(accountFiles(), before) << "not even the transfer's other end";

    // One below the limit takes the last one, in slot 32767 (records in 32 bits).
    storeTransactionCount(2, MaxTransactions - 1);
    enterTransaction(1, "Food", "The last one", "1", false, QDate(2024, 3, 1));
    EXPECT_EQ(transactionCount(2), MaxTransactions);
    EXPECT_EQ(stored(2, MaxTransactions).description, "The last one");
    EXPECT_EQ(stored(2, MaxTransactions).id, "2-32767");
    EXPECT_EQ(bytesOf(account(2)).size(), qint64(10) * MaxTransactions * RecordLength - 5 * RecordLength);
}

// Every sum the program shows stays within the range of amounts: an entry
// that would take an account's sums, or those of all accounts together,
// past it is refused and nothing is written; the largest that fit show
// exactly in the list and the summary.
TEST_F(AddTransactionsTest, AnEntryThatWouldTakeASumPastTheRangeIsRefused) {
    const QString largest = "922337203685477.5807";
    const QString pastAccount = "This would take the sums of \"Check Account\" past " + largest +
                                ", the largest amount the program can hold, and its balances could no longer be "
                                "shown. Transaction not added.";
    const QString pastAll = "This would take the sums of all accounts together past " + largest +
                            ", the largest amount the program can hold, and the transaction list could no longer "
                            "show their total. Transaction not added.";
    enterTransaction(0, "Salary", "Pay", "900000000000000", true, QDate(2024, 3, 1));
    auto before = accountFiles();
    enterTransaction(0, "Salary", "Pay", "900000000000000", true, QDate(2024, 3, 2));
    EXPECT_EQ(messages->texts, QStringList{pastAccount});
    EXPECT_EQ(entry().Text2[0]->Text(), "900000000000000") << "kept to be put right";
    EXPECT_EQ(accountFiles(), before);

    enterTransaction(0, "Salary", "Bonus", "22337203685477.5807", true, QDate(2024, 3, 2));
    EXPECT_EQ(column(4), QStringList({"900000000000000", largest}));
    EXPECT_EQ(total(), largest);
    EXPECT_EQ(summaryOf(1), QStringList({largest, largest}));

    // One ten-thousandth more: by an entry, by a transfer's incoming end (its
    // other end not written either), by an entry into another account.
    before = accountFiles();
    messages->texts.clear();
    watchNotice();
    enterTransaction(0, "Salary", "Tip", "0.0001", true, QDate(2024, 3, 3));
    enterTransfer(1, 0, "0.0001", QDate(2024, 3, 3));
    enterTransaction(2, "Salary", "Tip", "0.0001", true, QDate(2024, 3, 3));
    EXPECT_EQ(messages->texts, QStringList({pastAccount, pastAccount, pastAll}));
    EXPECT_EQ(accountFiles(), before);
    EXPECT_EQ(notices.shown, 0);
}

// The list's "Add" opens the window; its toggle names the other panel.
TEST_F(AddTransactionsTest, TheListsAddOpensTheWindowWhoseToggleSwitchesPanels) {
    click(list().Command1);
    EXPECT_EQ(app().window<FinMDIForm1>().area()->activeSubWindow(), entry().subWindow());
    click(entry().Command3);
    EXPECT_EQ(entry().Command3->Caption(), "Basic Transactions");
    EXPECT_TRUE(entry().Frame2->Visible());
    EXPECT_FALSE(entry().Frame1->Visible());
}

// Opening a portfolio empties the entry boxes of the windows that add and
// edit transactions.
TEST_F(AddTransactionsTest, RefreshingTheListsEmptiesTheEntryBoxes) {
    FinDialog2& edit = app().window<FinDialog2>();
    for (TextBox* box : {entry().Text1, entry().Text2[0], edit.Text1, edit.Text2}) box->setText("Typed");
    RefreshPortfolioLists();
    for (TextBox* box : {entry().Text1, entry().Text2[0], edit.Text1, edit.Text2})
        EXPECT_EQ(box->Text(), "") << qPrintable(box->objectName());
    EXPECT_EQ(edit.Combo1->ListIndex(), -1);
}

}  // namespace
