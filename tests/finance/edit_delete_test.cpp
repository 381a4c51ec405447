#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMdiArea>

#include "support/finance_test.h"

namespace {

using namespace FinModule;

class EditDeleteTest : public HomePortfolioTest {
protected:
    const QString Changed = QStringLiteral(
        "The transaction being edited has been changed or deleted since it was opened. Nothing was saved.");

    // Three transactions of account 1, each with a debit order in its slot,
    // and one of account 2.
    void storeSome() {
        storeTransaction(1, 1, QDate(2024, 1, 10), "-1", "First", "Food");
        storeTransaction(1, 2, QDate(2024, 1, 20), "200", "Second", "Salary");
        storeTransaction(1, 3, QDate(2024, 1, 30), "-3", "Third", "Leisure");
        storeTransactionCount(1, 3);
        for (int j = 1; j <= 3; ++j)
            storeDebitOrder(1, j, QDate(2030, j, 1), QDate(2030, j, 1), QStringLiteral("Order %1").arg(j),
                            QString::number(j));
        storeDebitOrderCount(1, 3);
        storeTransaction(2, 1, QDate(2024, 1, 15), "-4", "Other account", "Food");
        storeTransactionCount(2, 1);
        refill();
    }

    static FinDialog2& dialog() { return app().window<FinDialog2>(); }

    // Clicks the row of a transaction, then a button of the list.
    static void selectAndClick(const QString& id, QWidget* button) {
        const int r = rowOf(id);
        ASSERT_GE(r, 2) << id.toStdString();
        clickRow(r);
        click(button);
    }
    static void edit(const QString& id) { selectAndClick(id, list().Command2); }
    static void remove(const QString& id) { selectAndClick(id, list().Command3); }
    static void okEdit() { click(dialog().OKButton); }
    // Whether Edit and Delete serve, "11" or "00".
    static QString editAndDelete() {
        return QString::number(list().Command2->isEnabled()) + QString::number(list().Command3->isEnabled());
    }
};

// The dialog shows the row; OK writes the four fields over the same slot and
// nothing else, and a category left unchosen stays as stored.
TEST_F(EditDeleteTest, EditWritesTheFieldsBackIntoTheSameSlot) {
    storeSome();
    const QByteArray before = bytesOf(account(1));
    edit("1-2");
    FinDialog2& d = dialog();
    ASSERT_TRUE(d.isVisible());
    EXPECT_EQ(QStringList({d.DTPicker1->Value().toString(Qt::ISODate), d.Combo1->Text(), d.Text1->Text(),
                           d.Text2->Text(), d.Text3->Text()}),
              QStringList({"2024-01-20", "", "Second", "200", "1-2"}));

    retype(d.Text2, "250.5");
    d.DTPicker1->pick(QDate(2024, 2, 1));
    okEdit();
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(messages->texts.isEmpty());
    // Only the records of the date and the amount changed.
    EXPECT_EQ(bytesOf(account(1)),
              withValue(withValue(before, slotRecord(2, 1), dateBytes(QDate(2024, 2, 1))), slotRecord(2, 4),
                        moneyBytes("250.5")));
    EXPECT_EQ(column(5), QStringList({"1-1", "2-1", "1-3", "1-2"})) << "listed at its new date";
    EXPECT_EQ(list().MSFlexGrid1->TextMatrix(rowOf("1-2"), 3), "250.5");

    // A chosen category is stored; typed text that names a category counts too.
    edit("1-2");
    d.Combo1->pick(4);
    okEdit();
    EXPECT_EQ(stored(1, 2).category, "Leisure");
    edit("1-2");
    d.Combo1->lineEdit()->setText("Education");
    okEdit();
    EXPECT_EQ(stored(1, 2).category, "Education");

    // Cancel writes nothing.
    const QByteArray kept = bytesOf(account(1));
    edit("1-1");
    retype(d.Text1, "Changed my mind");
    click(d.CancelButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(bytesOf(account(1)), kept);

    // Closed by its close box, the dialog comes back afresh with the categories.
    edit("1-1");
    dialog().close();
    QCoreApplication::processEvents();
    edit("1-1");
    EXPECT_EQ(dialog().Combo1->ListCount(), 20);
    dialog().Combo1->pick(1);
    okEdit();
    EXPECT_EQ(stored(1, 1).category, "Food");
    EXPECT_TRUE(messages->texts.isEmpty());
}

TEST_F(EditDeleteTest, EditRefusesWhatCannotBeStoredAndKeepsTheDialogOpen) {
    storeSome();
    const QByteArray before = bytesOf(account(1));
    edit("1-1");
    FinDialog2& d = dialog();
    QStringList expected;
    for (const char* amount : {"abc", " "}) {
        retype(d.Text2, amount);
        okEdit();
        EXPECT_TRUE(d.isVisible()) << amount;
        expected << QStringLiteral("\"%1\" is not an amount. Please type a number such as 150 or 99.95. "
                                   "Transaction not saved.").arg(amount);
    }
    retype(d.Text2, "1.23456");
    okEdit();
    EXPECT_TRUE(d.isVisible());
    expected << "\"1.23456\" has too many decimals. Please type an amount with at most four decimals, such as "
                "99.95. Transaction not saved.";
    EXPECT_EQ(messages->texts, expected);
    messages->texts.clear();
    retype(d.Text2, "-1");
    d.Combo1->lineEdit()->setText("Fod");
    okEdit();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(messages->texts, QStringList{"Please choose the category from the list, or leave it empty to keep the "
                                           "transaction's category. Transaction not saved."});
    EXPECT_EQ(bytesOf(account(1)), before);
}

// An edit's amount takes the place of the stored one in the sums: one that
// would take them past the range of amounts is refused, the dialog stays
// open and nothing is written; the largest that fits is saved and shown.
TEST_F(EditDeleteTest, AnEditThatWouldTakeASumPastTheRangeIsRefused) {
    storeTransaction(1, 1, QDate(2024, 1, 10), "922337203685000", "Pay", "Salary");
    storeTransaction(1, 2, QDate(2024, 1, 20), "-1", "Bread", "Food");
    storeTransactionCount(1, 2);
    refill();
    const QByteArray before = bytesOf(account(1));
    edit("1-2");
    retype(dialog().Text2, "477.5808");
    okEdit();
    EXPECT_EQ(messages->texts, QStringList{"This would take the sums of \"Check Account\" past 922337203685477.5807, "
                                           "the largest amount the program can hold, and its balances could no "
                                           "longer be shown. Transaction not saved."});
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(bytesOf(account(1)), before);

    retype(dialog().Text2, "477.5807");
    okEdit();
    EXPECT_EQ(column(4), QStringList({"922337203685000", "922337203685477.5807"}));
    // Saved again, its own amount is not counted twice.
    edit("1-2");
    retype(dialog().Text1, "Gift");
    okEdit();
    EXPECT_EQ(stored(1, 2).description, "Gift");
    EXPECT_EQ(messages->texts.size(), 1);
}

// The dialog does not block the list: what was opened may have moved by the
// time OK is pressed. The save then writes nothing and says so.
TEST_F(EditDeleteTest, AnEditWhoseTransactionMovedSavesNothing) {
    storeSome();
    edit("1-2");
    retype(dialog().Text1, "Edited");
    remove("1-1");  // "Second" is now 1-1, "Third" stands in slot 2
    ASSERT_EQ(stored(1, 2).description, "Third");
    const QByteArray before = bytesOf(account(1));
    okEdit();
    EXPECT_EQ(messages->texts, QStringList{Changed});
    EXPECT_EQ(bytesOf(account(1)), before);

    // The last one opened, then deleted: its slot lies beyond the count.
    messages->texts.clear();
    edit("1-2");
    remove("1-2");
    okEdit();
    EXPECT_EQ(messages->texts, QStringList{Changed});
    EXPECT_EQ(transactionCount(1), 1);
    EXPECT_EQ(stored(1, 1).description, "Second");

    // Another transaction added meanwhile moves nothing: the save goes through.
    messages->texts.clear();
    edit("1-1");
    enterTransaction(0, "Food", "Added", "5", false, QDate(2024, 3, 1));
    retype(dialog().Text1, "Second, edited");
    okEdit();
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_EQ(stored(1, 1).description, "Second, edited");
    EXPECT_EQ(stored(1, 2).description, "Added");

    // The dialog outlives its portfolio: after a copy of it was opened in its
    // place, with the same transaction in the same slot, the save goes nowhere.
    messages->texts.clear();
    edit("1-1");
    for (const QString& file : {pwb("Home"), account(1), account(2), account(3), account(4), account(5)})
        ASSERT_TRUE(QFile::copy(file, QString(file).replace("/Home", "/Copy")));
    openPortfolio(pwb("Copy"));
    ASSERT_TRUE(portfolioOpen());
    const QByteArray copied = bytesOf(acc("Copy", 1));
    retype(dialog().Text1, "Into the copy");
    retype(dialog().Text2, "-1");
    okEdit();
    EXPECT_EQ(messages->texts, QStringList{Changed});
    EXPECT_EQ(bytesOf(acc("Copy", 1)), copied);
}

// An edited transfer keeps its category unless another is chosen; its other
// end is not touched. Its long description comes back whole.
TEST_F(EditDeleteTest, EditingATransferChangesOnlyThatEnd) {
    enterTransfer(0, 1, "100", QDate(2024, 3, 1));
    const QByteArray other = bytesOf(account(2));
    edit("1-1");
    retype(dialog().Text2, "-90");
    okEdit();
    EXPECT_EQ(stored(1, 1), (Stored{Conversions::toSerialDate(QDate(2024, 3, 1)), "Inter Account Transfer",
                                    "Transfer from Check Account to Credit Card", -900000, "1-1"}));
    EXPECT_EQ(bytesOf(account(2)), other);
    EXPECT_EQ(total(), "10");
}

// Transaction 2 of 3 goes: slot 2 takes slot 3's fields, slot 3 is blanked
// and the count drops; the debit orders in those slots stay.
TEST_F(EditDeleteTest, DeleteMovesTheLaterTransactionsDownAndRenumbers) {
    storeSome();
    const QByteArray before = bytesOf(account(1));
    const QByteArray otherBefore = bytesOf(account(2));
    remove("1-2");
    EXPECT_TRUE(messages->texts.isEmpty());

    EXPECT_EQ(stored(1, 2), (Stored{Conversions::toSerialDate(QDate(2024, 1, 30)), "Leisure", "Third", -30000, "1-2"}));
    // Slot 3's fields moved down, its records blanked (a 2-byte 0 at their start), the count
    // dropped; nothing else changed, the debit orders in those slots least of all.
    QByteArray expected = withValue(before, 10, taggedInteger(2));
    for (int field = 1; field <= 4; ++field)
        expected = withValue(expected, slotRecord(2, field), before.mid((slotRecord(3, field) - 1) * RecordLength, RecordLength));
    for (int field = 1; field <= 5; ++field) expected = withValue(expected, slotRecord(3, field), int16Bytes(0));
    EXPECT_EQ(bytesOf(account(1)), expected);
    EXPECT_EQ(bytesOf(account(2)), otherBefore);
    EXPECT_EQ(column(5), QStringList({"1-1", "2-1", "1-2"}));
    EXPECT_EQ(column(2), QStringList({"First", "Other account", "Third"}));

    // The last one goes with its count only: its slot keeps its values.
    const QByteArray beforeLast = bytesOf(account(1));
    remove("1-2");
    EXPECT_EQ(bytesOf(account(1)), withValue(beforeLast, 10, taggedInteger(1)));
    EXPECT_EQ(column(5), QStringList({"1-1", "2-1"}));

    remove("1-1");
    EXPECT_EQ(transactionCount(1), 0);
    EXPECT_EQ(column(5), QStringList({"2-1"}));
    EXPECT_EQ(total(), "-4");
}

// Edit and Delete serve the data row just clicked: the summary row turns
// them off, and half a second after the list loses the focus they are off.
TEST_F(EditDeleteTest, EditAndDeleteServeTheRowJustClicked) {
    storeSome();
    EXPECT_EQ(editAndDelete(), "00");
    clickRow(rowOf("1-1"));
    EXPECT_EQ(editAndDelete(), "11");
    clickRow(1);
    EXPECT_EQ(editAndDelete(), "00");

    clickRow(rowOf("1-3"));
    const int pauses = clock->pauses();
    list().DTPicker1->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(clock->pauses(), pauses + 1);
    EXPECT_EQ(editAndDelete(), "00");

    // A click on Delete takes the focus, and is served before both go off.
    clickRow(rowOf("1-3"));
    click(list().Command3);
    EXPECT_EQ(transactionCount(1), 2);
    EXPECT_EQ(editAndDelete(), "00");

    // Both do nothing on the summary row.
    const QByteArray before = bytesOf(account(1));
    grid()->setRow(1);
    list().Command3_Click();
    list().Command2_Click();
    EXPECT_EQ(bytesOf(account(1)), before);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_TRUE(messages->texts.isEmpty());
}

TEST_F(EditDeleteTest, ADebitOrderRowOpensTheDebitOrdersOfItsAccount) {
    storeDebitOrder(3, 1, QDate(2024, 1, 5), QDate(2024, 2, 5), "Insurance", "30");
    storeDebitOrderCount(3, 1);
    refill();
    const QByteArray before = bytesOf(account(3));
    FinForm9& debitOrders = app().window<FinForm9>();
    debitOrders.hide();
    // Hidden, then minimized from maximized (the list left as it is then):
    // either way it comes back maximized.
    for (QWidget* button : {static_cast<QWidget*>(list().Command2), static_cast<QWidget*>(list().Command3)}) {
        debitOrders.Combo1->setListIndex(0);
        selectAndClick("3 - DO", button);
        EXPECT_EQ(app().window<FinMDIForm1>().area()->activeSubWindow(), debitOrders.subWindow());
        EXPECT_EQ(debitOrders.Combo1->Text(), "Savings Account");
        EXPECT_TRUE(debitOrders.isMaximizedState());
        minimizeMaximizedChild();
    }
    EXPECT_EQ(bytesOf(account(3)), before);
    EXPECT_EQ(grid()->Rows(), 4) << "nothing deleted";
    EXPECT_FALSE(dialog().isVisible());
}

// A row that no longer shows what its slot holds (the file changed under the
// list) is neither edited nor deleted; the list is brought up to date.
TEST_F(EditDeleteTest, ARowThatNoLongerShowsItsSlotIsLeftAlone) {
    storeSome();
    storeTransaction(1, 2, QDate(2024, 1, 20), "200", "Changed outside", "Salary");
    const QByteArray before = bytesOf(account(1));
    remove("1-2");
    const QString outOfDate = QStringLiteral(
        "The selected transaction is no longer stored as the list shows it. The list has been brought up to date; "
        "nothing was changed.");
    EXPECT_EQ(messages->texts, QStringList{outOfDate});
    EXPECT_EQ(bytesOf(account(1)), before);
    EXPECT_EQ(grid()->TextMatrix(rowOf("1-2"), 2), "Changed outside");

    messages->texts.clear();
    const int r = rowOf("1-3");
    writeRecord(account(1), 10, taggedInteger(2));
    clickRow(r);
    click(list().Command2);
    EXPECT_EQ(messages->texts, QStringList{outOfDate});
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(rowOf("1-3"), -1);
}

}  // namespace
