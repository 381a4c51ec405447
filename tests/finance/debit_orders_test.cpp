#include <gtest/gtest.h>

#include <QLineEdit>

#include "support/finance_test.h"

namespace {

using namespace FinModule;

const QString Taken = QStringLiteral("Another Debit Order exists with the same description !");
const QString SameDay = QStringLiteral("The Debit Order must be on the same day each month");
const QString Incomplete = QStringLiteral("Form Incomplete");
const QString SelectAccount = QStringLiteral("Please select account");

class DebitOrdersTest : public HomePortfolioTest {
protected:
    void SetUp() override {
        HomePortfolioTest::SetUp();
        app().window<FinMDIForm1>().DOrders->trigger();
        form = &app().window<FinForm9>();
        QCoreApplication::processEvents();
    }

    // "Add", the four fields typed, "Enter".
    void add(const QDate& start, const QDate& end, const QString& description, const QString& amount) {
        form->Command1->click();
        FinForm8& entry = app().window<FinForm8>();
        entry.DTPicker1->pick(start);
        entry.DTPicker2->pick(end);
        retype(entry.Text1, description);
        retype(entry.Text2, amount);
        entry.Command1->click();
    }
    void add(const QString& description, const QString& amount = QStringLiteral("100")) {
        add(QDate(2001, 1, 15), QDate(2001, 12, 15), description, amount);
    }
    // A click on a row, then "Edit".
    FinDialog3& edit(int row) {
        clickRow(row, form->MSFlexGrid1);
        form->Command2->click();
        return app().window<FinDialog3>();
    }
    void remove(int row) {
        clickRow(row, form->MSFlexGrid1);
        form->Command3->click();
    }
    QStringList descriptions() { return column(2, form->MSFlexGrid1); }
    // Whether Edit and Delete serve, "11" or "00".
    QString editAndDelete() const {
        return QString::number(form->Command2->isEnabled()) + QString::number(form->Command3->isEnabled());
    }

    FinForm9* form = nullptr;
};

TEST_F(DebitOrdersTest, AnAddedDebitOrderIsStoredInItsSlotBesideTheTransactionAndListed) {
    storeTransaction(2, 1, QDate(2001, 2, 1), "-20");
    storeTransactionCount(2, 1);
    const QByteArray before = bytesOf(account(2));
    form->Combo1->pick(1);
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 2);

    add(QDate(2001, 1, 31), QDate(2001, 12, 31), QStringLiteral("  Rent "), QStringLiteral("1500.5"));

    EXPECT_TRUE(messages->texts.isEmpty()) << messages->texts.join('\n').toStdString();
    // Records 6 to 9 and the count, the description as typed; the slot's transaction untouched.
    QByteArray expected = withValue(withValue(before, 6, dateBytes(QDate(2001, 1, 31))), 7, dateBytes(QDate(2001, 12, 31)));
    expected = withValue(withValue(withValue(expected, 8, stringBytes("  Rent ")), 9, moneyBytes("1500.5")), 20, taggedInteger(1));
    EXPECT_EQ(bytesOf(account(2)), expected);
    EXPECT_EQ(bytesOf(account(1)).size(), 20 * RecordLength) << "no other account written";
    EXPECT_EQ(rows(form->MSFlexGrid1), QStringList{date(2001, 1, 31) + '|' + date(2001, 12, 31) + "|Rent|1500.5"});
    EXPECT_EQ(row(1, form->MSFlexGrid1), QStringList(4)) << "row 1 holds no debit order";
    EXPECT_FALSE(app().window<FinForm8>().isVisible());
    EXPECT_FALSE(financeLocked());
}

// Today is 7 March 2024.
TEST_F(DebitOrdersTest, EnterRecomputesTheSummaryAlsoWhenADescriptionTakenAfterTrimmingIsRefused) {
    storeSettings(4, "1000", 0, "0", -1, "-250");
    form->Combo1->pick(3);
    add(QDate(2024, 1, 7), QDate(2025, 1, 7), "Loan", "100");
    EXPECT_EQ(summaryOf(4), QStringList({"-300", "700"})) << "7 January, February and March";
    EXPECT_TRUE(messages->texts.contains("Balance of Home Loan is lower than -250"));

    storeTransaction(4, 1, QDate(2024, 3, 1), "1000");
    storeTransactionCount(4, 1);
    messages->texts.clear();
    add(QDate(2024, 1, 7), QDate(2025, 1, 7), " Loan  ", "5");
    EXPECT_EQ(messages->texts, QStringList{Taken});
    EXPECT_EQ(record(account(4), 20).left(4), taggedInteger(1));
    EXPECT_EQ(summaryOf(4), QStringList({"700", "1700"}));
    // Refused, the window hides all the same and the finance window is usable.
    EXPECT_FALSE(app().window<FinForm8>().isVisible());
    EXPECT_FALSE(financeLocked());

    add("loan");  // letter case counts
    EXPECT_EQ(descriptions(), QStringList({"Loan", "loan"}));
}

// "Add Debit Order" and "Edit Debit Order" test an entry alike, each in its
// own words on the dates; the first test that fails is told, the dialog stays
// open and nothing is written.
TEST_F(DebitOrdersTest, TheEntryTestsRunInOrderAndAFailureKeepsTheDialogOpenAndNothingWritten) {
    form->Combo1->pick(0);
    add("Rent");
    const QByteArray before = bytesOf(account(1));
    const auto notAnAmount = [](const char* typed) {
        return QStringLiteral("\"%1\" is not an amount. Please type a number such as 150 or 99.95.").arg(typed);
    };
    struct Case {
        QDate end;
        QString description, amount, message;
    };
    for (bool editing : {false, true}) {
        SCOPED_TRACE(editing ? "Edit" : "Add");
        const std::vector<Case> cases = {
            {QDate(2001, 2, 16), "", "", SameDay},  // the day is tested first
            {QDate(2001, 2, 15), "", "",
             editing ? "The Start Date must be before the End Date!" : "End Date must be after the Start Date!"},
            {QDate(2001, 3, 15), "", "100", Incomplete},
            {QDate(2001, 3, 15), "Rent", "", Incomplete},
            {QDate(2001, 3, 15), "Rent", "   ", notAnAmount("   ")},
            {QDate(2001, 3, 15), "Rent", "12a", notAnAmount("12a")},
            {QDate(2001, 3, 15), "Rent", "1.23456",
             "\"1.23456\" has too many decimals. Please type an amount with at most four decimals, such as 99.95."},
        };
        if (editing) edit(2);
        for (const Case& c : cases) {
            messages->texts.clear();
            if (editing) {
                FinDialog3& dialog = app().window<FinDialog3>();
                dialog.DTPicker1->pick(QDate(2001, 3, 15));
                dialog.DTPicker2->pick(c.end);
                retype(dialog.Text1, c.description);
                retype(dialog.Text2, c.amount);
                dialog.OKButton->click();
            } else {
                add(QDate(2001, 3, 15), c.end, c.description, c.amount);
            }
            EXPECT_EQ(messages->texts, QStringList{c.message});
            EXPECT_TRUE(editing ? app().window<FinDialog3>().isVisible() : app().window<FinForm8>().isVisible());
            EXPECT_TRUE(financeLocked());
            EXPECT_EQ(bytesOf(account(1)), before);
        }
        editing ? app().window<FinDialog3>().CancelButton->click() : app().window<FinForm8>().Command2->click();
    }

    // The same day of one month: accepted.
    messages->texts.clear();
    add(QDate(2001, 3, 15), QDate(2001, 3, 15), "Gym", "-7");
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_EQ(descriptions(), QStringList({"Rent", "Gym"}));
    EXPECT_FALSE(financeLocked());
}

// The end date is the day of the last payment: the start's day, or the last
// day of a month shorter than it. Any other day is refused, in both windows;
// an order of 31 January ending on 30 April makes April's payment its last.
TEST_F(DebitOrdersTest, AnEndDateIsOneOfTheOrdersOwnPaymentDays) {
    form->Combo1->pick(0);
    add("Rent");
    const std::tuple<QDate, QDate, bool> cases[] = {
        {QDate(2001, 1, 31), QDate(2001, 4, 30), true},  {QDate(2001, 1, 31), QDate(2001, 4, 29), false},
        {QDate(2001, 1, 31), QDate(2001, 3, 30), false}, {QDate(2001, 1, 31), QDate(2001, 3, 31), true},
        {QDate(2004, 1, 31), QDate(2004, 2, 29), true},  {QDate(2004, 1, 30), QDate(2004, 2, 28), false},
        {QDate(2001, 1, 29), QDate(2001, 2, 28), true},  {QDate(2001, 1, 15), QDate(2001, 2, 28), false}};
    int added = 0;
    for (bool editing : {false, true})
        for (const auto& [start, end, passes] : cases) {
            SCOPED_TRACE(qPrintable(QStringLiteral("%1 %2 to %3")
                                        .arg(editing ? "Edit" : "Add", start.toString(Qt::ISODate), end.toString(Qt::ISODate))));
            messages->texts.clear();
            if (editing) {
                FinDialog3& dialog = edit(2);
                dialog.DTPicker1->pick(start);
                dialog.DTPicker2->pick(end);
                dialog.OKButton->click();
            } else {
                add(start, end, QStringLiteral("Order %1").arg(++added), "10");
            }
            EXPECT_EQ(messages->texts, passes ? QStringList() : QStringList{SameDay});
            if (passes) continue;
            editing ? app().window<FinDialog3>().CancelButton->click() : app().window<FinForm8>().Command2->click();
        }
    EXPECT_EQ(rows(form->MSFlexGrid1)[0], date(2001, 1, 29) + '|' + date(2001, 2, 28) + "|Rent|100")
        << "the last edit that passed";

    form->Combo1->pick(1);
    add(QDate(2001, 1, 31), QDate(2001, 4, 30), "Insurance", "30");
    pickItem(list().Combo1, "Credit Card");
    EXPECT_EQ(column(0), QStringList({date(2001, 1, 31), date(2001, 2, 28), date(2001, 3, 31), date(2001, 4, 30)}));
}

// A debit order's occurrences count up to the last day the list can show,
// however far ahead of today: one that would take the account's sums past
// the range of amounts is refused, its dialog stays open and nothing is
// written; the largest that fits is listed exactly. An edit counts in place
// of the debit order it changes.
TEST_F(DebitOrdersTest, ADebitOrderWhoseOccurrencesWouldTakeASumPastTheRangeIsRefused) {
    const QString past = "This would take the sums of \"Check Account\" past 922337203685477.5807, the largest amount "
                         "the program can hold, and its balances could no longer be shown. Debit order not ";
    storeTransaction(1, 1, QDate(2001, 1, 1), "-900000000000000", "Loan", "Other Income");
    storeTransactionCount(1, 1);
    form->Combo1->pick(0);
    const QByteArray before = bytesOf(account(1));
    add(QDate(2001, 1, 15), QDate(2187, 2, 15), "Rent", "9999999999");  // 2234 occurrences
    FinForm8& entry = app().window<FinForm8>();
    EXPECT_TRUE(entry.isVisible());
    EXPECT_EQ(bytesOf(account(1)), before);
    entry.DTPicker2->pick(QDate(2187, 1, 15));  // one fewer
    entry.Command1->click();
    EXPECT_FALSE(entry.isVisible());
    list().DTPicker2->pick(QDate(9999, 12, 31));
    EXPECT_EQ(total(), "-922329999997767");

    const QByteArray added = bytesOf(account(1));
    FinDialog3& dialog = edit(2);
    dialog.DTPicker2->pick(QDate(2187, 2, 15));
    dialog.OKButton->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(bytesOf(account(1)), added);
    dialog.DTPicker2->pick(QDate(2187, 1, 15));
    retype(dialog.Text1, "Rent, edited");
    dialog.OKButton->click();
    EXPECT_EQ(descriptions(), QStringList{"Rent, edited"});
    EXPECT_EQ(messages->texts, QStringList({past + "added.", past + "saved."}));
}

TEST_F(DebitOrdersTest, EditFillsTheDialogFromTheRowAndWritesTheDebitOrderOfThatRow) {
    form->Combo1->pick(0);
    add(QDate(2001, 1, 5), QDate(2002, 1, 5), "Rent", "500");
    add(QDate(2001, 2, 6), QDate(2002, 2, 6), "Phone", "45.25");
    add(QDate(2001, 3, 7), QDate(2002, 3, 7), "Gym", "30");

    FinDialog3& dialog = edit(4);
    EXPECT_TRUE(financeLocked());
    EXPECT_EQ(QStringList({dialog.DTPicker1->Value().toString(Qt::ISODate), dialog.DTPicker2->Value().toString(Qt::ISODate),
                           dialog.Text1->Text(), dialog.Text2->Text()}),
              QStringList({"2001-03-07", "2002-03-07", "Gym", "30"}));

    // Debit order 3 takes the description of debit order 1: accepted.
    retype(dialog.Text1, "Rent ");
    retype(dialog.Text2, "31.5");
    dialog.OKButton->click();
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_FALSE(financeLocked());
    EXPECT_EQ(storedString(account(1), slotRecord(3, 8)), "Rent ");
    EXPECT_EQ(storedMoney(account(1), slotRecord(3, 9)), "31.5");
    EXPECT_EQ(record(account(1), 20).left(4), taggedInteger(3));
    EXPECT_EQ(descriptions(), QStringList({"Rent", "Phone", "Rent"}));

    // Two debit orders now share a description: each row still acts on its own.
    FinDialog3& again = edit(4);
    EXPECT_EQ(again.Text2->Text(), "31.5") << "the dialog shows the row";
    retype(again.Text2, "600");
    again.OKButton->click();
    EXPECT_EQ(storedMoney(account(1), slotRecord(1, 9)), "500");
    EXPECT_EQ(storedMoney(account(1), slotRecord(3, 9)), "600");
    remove(4);
    EXPECT_EQ(descriptions(), QStringList({"Rent", "Phone"}));
    EXPECT_EQ(storedMoney(account(1), slotRecord(1, 9)), "500");
}

TEST_F(DebitOrdersTest, ADeleteMovesTheLaterDebitOrdersDownAndBlanksTheLastSlotOnly) {
    for (int k = 1; k <= 4; ++k) storeTransaction(3, k, QDate(2001, 1, k), QString::number(-k), "T" + QString::number(k));
    storeTransactionCount(3, 4);
    form->Combo1->pick(2);
    add("First");
    add("Second");
    add("Third");
    const QByteArray transactions = withoutDebitOrders(3);
    const QByteArray third = storedDebitOrder(3, 3);

    remove(3);
    EXPECT_EQ(descriptions(), QStringList({"First", "Third"}));
    EXPECT_EQ(record(account(3), 20).left(4), taggedInteger(2));
    EXPECT_EQ(storedDebitOrder(3, 2), third);
    // Slot 3's debit-order records: a 2-byte zero at the start of the dates and
    // the amount, an empty string; the bytes after them as they were.
    QByteArray blank = third;
    for (int f = 0; f < 4; ++f) blank[f * RecordLength] = blank[f * RecordLength + 1] = '\0';
    EXPECT_EQ(storedDebitOrder(3, 3), blank);
    EXPECT_EQ(withoutDebitOrders(3), transactions) << "no transaction record touched";

    // The last one: only the count falls, its slot keeps its records.
    const QByteArray second = storedDebitOrder(3, 2);
    remove(3);
    EXPECT_EQ(descriptions(), QStringList{"First"});
    EXPECT_EQ(storedDebitOrder(3, 2), second);
    remove(2);
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 2);
    EXPECT_EQ(record(account(3), 20).left(4), taggedInteger(0));
    add("Fourth");
    EXPECT_EQ(storedString(account(3), 8), "Fourth");
    EXPECT_EQ(withoutDebitOrders(3), transactions);
}

// Edit and Delete act on the debit order of the chosen account whose
// description the row shows; where there is none, nothing changes.
TEST_F(DebitOrdersTest, ARowOrAnAccountTextThatNamesNoStoredDebitOrderChangesNothing) {
    form->Combo1->pick(0);
    add("Rent");
    add("Phone");
    // The file changed underneath: the row's description is no longer stored.
    FinDialog3& dialog = edit(3);
    writeRecord(account(1), slotRecord(2, 8), stringBytes("Mobile"));
    const QByteArray before = bytesOf(account(1));
    retype(dialog.Text2, "9");
    dialog.OKButton->click();
    EXPECT_EQ(bytesOf(account(1)), before);
    remove(3);
    EXPECT_EQ(bytesOf(account(1)), before);
    EXPECT_TRUE(messages->texts.isEmpty());

    // A typed account text names no account: Add asks for one, the list keeps
    // what it showed, Edit and Delete act on no account.
    form->Combo1->lineEdit()->selectAll();
    QTest::keyClicks(form->Combo1->lineEdit(), "Check Acc");
    form->Command1->click();
    EXPECT_EQ(messages->texts, QStringList{SelectAccount});
    EXPECT_FALSE(app().window<FinForm8>().isVisible());
    EXPECT_FALSE(financeLocked());
    EXPECT_EQ(descriptions(), QStringList({"Rent", "Phone"}));
    remove(2);
    edit(2);
    EXPECT_FALSE(app().window<FinDialog3>().isVisible());
    EXPECT_EQ(bytesOf(account(1)), before);
}

TEST_F(DebitOrdersTest, EditAndDeleteServeOnlyRightAfterADataRowWasClicked) {
    form->Combo1->pick(0);
    add("Rent");
    const QByteArray before = bytesOf(account(1));
    clickRow(2, form->MSFlexGrid1);
    EXPECT_EQ(editAndDelete(), "11");
    clickRow(1, form->MSFlexGrid1);
    EXPECT_EQ(editAndDelete(), "00");
    form->Command3->click();
    form->Command2->click();
    EXPECT_FALSE(app().existingWindow<FinDialog3>());
    EXPECT_EQ(bytesOf(account(1)), before);

    // Half a second after the focus leaves the list both are off.
    clickRow(2, form->MSFlexGrid1);
    const int pauses = clock->pauses();
    form->Combo1->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(clock->pauses(), pauses + 1);
    EXPECT_EQ(editAndDelete(), "00");

    // A click on Edit takes the focus from the list and still opens the dialog.
    clickRow(2, form->MSFlexGrid1);
    ASSERT_TRUE(form->MSFlexGrid1->hasFocus());
    click(form->Command2);
    EXPECT_TRUE(app().window<FinDialog3>().isVisible());
    EXPECT_EQ(app().window<FinDialog3>().Text1->Text(), "Rent");
    EXPECT_EQ(editAndDelete(), "00") << "off after the pause";
}

TEST_F(DebitOrdersTest, EveryWayOutOfTheDialogsReleasesTheFinanceWindow) {
    form->Combo1->pick(0);
    add("Rent");
    const QByteArray before = bytesOf(account(1));

    form->Command1->click();
    retype(app().window<FinForm8>().Text1, "typed");
    app().window<FinForm8>().Command2->click();  // Cancel keeps the fields
    EXPECT_FALSE(financeLocked());
    form->Command1->click();
    EXPECT_EQ(app().window<FinForm8>().Text1->Text(), "typed");
    app().window<FinForm8>().close();  // the close box destroys it
    EXPECT_FALSE(financeLocked());
    form->Command1->click();
    EXPECT_EQ(app().window<FinForm8>().Text1->Text(), "") << "made afresh";
    app().window<FinForm8>().Command2->click();

    edit(2).CancelButton->click();
    EXPECT_FALSE(financeLocked());
    FinDialog3& dialog = edit(2);
    retype(dialog.Text2, "999");
    dialog.close();
    EXPECT_FALSE(financeLocked());
    EXPECT_EQ(bytesOf(account(1)), before);
    EXPECT_TRUE(messages->texts.isEmpty());
}

TEST_F(DebitOrdersTest, AnAccountHoldsAsManyDebitOrdersAsItsCountAllows) {
    form->Combo1->pick(4);
    storeDebitOrderCount(5, MaxDebitOrders - 1);
    add("Last");
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_EQ(record(account(5), 20).left(4), taggedInteger(MaxDebitOrders));
    EXPECT_EQ(storedString(account(5), slotRecord(MaxDebitOrders, 8)), "Last");
    EXPECT_EQ(form->MSFlexGrid1->Rows(), MaxDebitOrders + 2);

    const QByteArray before = bytesOf(account(5));
    add("One more");
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_EQ(messages->texts[0], "This account holds 32767 debit orders, as many as it can keep. "
                                  "Delete one before adding another.");
    EXPECT_EQ(bytesOf(account(5)), before);
}

}  // namespace
