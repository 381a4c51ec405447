#include <gtest/gtest.h>

#include <QLineEdit>

#include "support/finance_test.h"

namespace {

using namespace FinModule;

class AccountSettingsTest : public HomePortfolioTest {
protected:
    // "Account Settings" from the Accounts menu.
    FinForm5& open() {
        app().window<FinMDIForm1>().ASetup->trigger();
        QCoreApplication::processEvents();
        return app().window<FinForm5>();
    }
    bool settingsOpen() { return app().existingWindow<FinForm5>() != nullptr; }
    static void tick(CheckBox* box, bool on) {
        if ((box->Value() == 1) != on) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    // What the window shows: the three ticks, the three amounts, whether the
    // overdraft box and "Apply" are enabled.
    static QStringList shown(const FinForm5& form) {
        return {QString::number(form.Check1->Value()), form.Text1->Text(), form.Text1->isEnabled() ? "on" : "off",
                QString::number(form.Check2->Value()), form.Text2->Text(),
                QString::number(form.Check3->Value()), form.Text3->Text(),
                form.Command3->isEnabled() ? "apply" : "-"};
    }
    // Account a's five stored settings.
    QStringList stored(int a) {
        const int r = 20 + 5 * a;
        return {storedMoney(pwb("Home"), r + 1), QString::number(storedInteger(pwb("Home"), r + 2)),
                storedMoney(pwb("Home"), r + 3), QString::number(storedInteger(pwb("Home"), r + 4)),
                storedMoney(pwb("Home"), r + 5)};
    }
};

// The portfolio file put back from a copy while the window is open: it stays
// on its account, shows what the copy holds, and OK saves into the copy.
TEST_F(AccountSettingsTest, APortfolioFileReplacedUnderTheWindowKeepsItsAccount) {
    storeSettings(3, "0", -1, "500", 0, "0");
    ASSERT_TRUE(QFile::copy(pwb("Home"), pwb("Home") + ".copy"));
    storeSettings(3, "0", 0, "0", 0, "0");
    FinForm5& form = open();
    form.Combo1->pick(2);
    ASSERT_TRUE(QFile::remove(pwb("Home")) && QFile::rename(pwb("Home") + ".copy", pwb("Home")));

    tick(form.Check1, true);  // the next action: the copy is shown before it lands
    EXPECT_EQ(form.Combo1->Text(), "Savings Account");
    retype(form.Text1, "75");
    form.Command1->click();
    EXPECT_EQ(stored(3), QStringList({"75", "-1", "500", "0", "0"}));
    EXPECT_TRUE(messages->texts.isEmpty());
}

TEST_F(AccountSettingsTest, SettingsSavedByOkAreStoredInTheirKindsCountAndComeBack) {
    storeTransaction(2, 1, QDate(2024, 1, 1), "-250");
    storeTransactionCount(2, 1);
    const QByteArray before = bytesOf(pwb("Home"));
    FinForm5& form = open();
    EXPECT_EQ(form.Combo1->Text(), "Check Account") << "a new portfolio opens on the first account, nothing set";
    EXPECT_EQ(shown(form), QStringList({"0", "0", "off", "0", "0", "0", "0", "-"}));
    EXPECT_TRUE(financeLocked());
    form.Combo1->pick(1);
    tick(form.Check1, true);
    retype(form.Text1, "1234.5678");
    tick(form.Check2, true);
    retype(form.Text2, "99999");
    tick(form.Check3, true);
    retype(form.Text3, "-10.5");
    form.Command1->click();

    EXPECT_EQ(stored(2), QStringList({"1234.5678", "-1", "99999", "-1", "-10.5"}));
    const QByteArray after = bytesOf(pwb("Home"));
    EXPECT_EQ(after.size(), 35 * RecordLength);
    EXPECT_EQ(after.left(30 * RecordLength), before.leftJustified(30 * RecordLength, '\0'))
        << "no other record written; account 1's read as never written";
    EXPECT_FALSE(settingsOpen()) << "OK closes the window";
    EXPECT_FALSE(financeLocked());
    EXPECT_EQ(summaryOf(2), QStringList({"-250", "984.5678"}));
    EXPECT_EQ(messages->texts, QStringList{"Balance of Credit Card is lower than -10.5"});

    FinForm5& again = open();
    again.Combo1->pick(1);
    EXPECT_EQ(shown(again), QStringList({"1", "1234.5678", "on", "1", "99999", "1", "-10.5", "-"}));
}

TEST_F(AccountSettingsTest, UntickedOrEmptiedBoxesStoreZeroOrKeepTheirThresholds) {
    storeSettings(1, "5000", -1, "20000", 0, "0");
    storeTransaction(3, 1, QDate(2024, 1, 1), "0.5");
    storeTransactionCount(3, 1);
    FinForm5& form = open();
    EXPECT_EQ(shown(form), QStringList({"1", "5000", "on", "1", "20000", "0", "0", "-"}));

    // The overdraft unticked: stored as 0 though the box keeps its text.
    tick(form.Check1, false);
    tick(form.Check2, false);
    form.Command3->click();
    EXPECT_EQ(stored(1), QStringList({"0", "0", "20000", "0", "0"}));
    EXPECT_EQ(shown(form), QStringList({"0", "5000", "off", "0", "20000", "0", "0", "-"}));
    EXPECT_TRUE(settingsOpen()) << "Apply keeps the window open";
    EXPECT_TRUE(financeLocked());
    form.Combo1->pick(0);
    EXPECT_EQ(shown(form), QStringList({"0", "0", "off", "0", "20000", "0", "0", "-"}));

    // A ticked overdraft of 0 or less is stored as typed but reloads unticked.
    tick(form.Check1, true);
    retype(form.Text1, "-100");
    form.Command3->click();
    EXPECT_EQ(stored(1)[0], "-100");
    EXPECT_EQ(summaryOf(1), QStringList({"0", "-100"}));
    form.Combo1->pick(0);
    EXPECT_EQ(shown(form).mid(0, 3), QStringList({"0", "-100", "off"}));

    // An emptied threshold is saved as 0, and the refresh after it alarms.
    EXPECT_TRUE(messages->texts.isEmpty());
    form.Combo1->pick(2);
    tick(form.Check2, true);
    retype(form.Text2, "");
    retype(form.Text3, "");
    form.Command3->click();
    EXPECT_EQ(form.Text2->Text(), "0");
    EXPECT_EQ(form.Text3->Text(), "0");
    EXPECT_EQ(stored(3), QStringList({"0", "-1", "0", "0", "0"}));
    EXPECT_EQ(messages->texts, QStringList{"Balance of Savings Account is higher than 0"});

    // Apply serves again after a change; each save recomputes and alarms
    // again, and OK closes only after the message.
    EXPECT_FALSE(form.Command3->isEnabled());
    retype(form.Text3, "-1");
    form.Command3->click();
    EXPECT_EQ(messages->texts.size(), 2);
    form.Command1->click();
    EXPECT_EQ(messages->texts.size(), 3);
    EXPECT_FALSE(settingsOpen());
}

TEST_F(AccountSettingsTest, CancelTheCloseBoxAndAnotherAccountDropWhatWasNotSaved) {
    const QByteArray before = bytesOf(pwb("Home"));
    FinForm5& form = open();
    tick(form.Check3, true);
    retype(form.Text3, "-50");
    form.Combo1->pick(3);  // choosing another account drops the change
    EXPECT_EQ(shown(form), QStringList({"0", "0", "off", "0", "0", "0", "0", "-"}));
    retype(form.Text2, "7");
    form.Command2->click();
    EXPECT_FALSE(settingsOpen());
    EXPECT_FALSE(financeLocked());

    FinForm5& again = open();
    EXPECT_EQ(again.Text2->Text(), "0") << "made afresh";
    retype(again.Text2, "8");
    again.close();
    EXPECT_FALSE(settingsOpen());
    EXPECT_FALSE(financeLocked());
    EXPECT_EQ(bytesOf(pwb("Home")), before);
}

TEST_F(AccountSettingsTest, AnAmountThatIsNoNumberIsRefusedAndNothingWritten) {
    const QByteArray before = bytesOf(pwb("Home"));
    FinForm5& form = open();
    tick(form.Check2, true);
    retype(form.Text2, "20k");
    form.Command1->click();
    EXPECT_EQ(messages->texts, QStringList{"\"20k\" is not an amount. Please type a number such as 150 or 99.95."});
    EXPECT_TRUE(settingsOpen()) << "kept open to put it right";
    EXPECT_TRUE(financeLocked());
    EXPECT_EQ(bytesOf(pwb("Home")), before);

    retype(form.Text2, "20000");
    retype(form.Text3, "-");
    form.Command3->click();
    EXPECT_EQ(messages->texts.size(), 2);
    EXPECT_EQ(bytesOf(pwb("Home")), before);

    // An unticked overdraft is not read, whatever its box holds.
    retype(form.Text3, "0");
    retype(form.Text1, "abc");
    form.Command1->click();
    EXPECT_EQ(messages->texts.size(), 2);
    EXPECT_EQ(stored(1), QStringList({"0", "-1", "20000", "0", "0"}));
}

// The overdraft counts in the available balance: one that would take it
// past the range of amounts is refused and nothing written; the largest
// that fits is shown exactly.
TEST_F(AccountSettingsTest, AnOverdraftThatWouldTakeTheAvailableBalancePastTheRangeIsRefused) {
    storeTransaction(1, 1, QDate(2024, 1, 1), "922337203684477.5807");
    storeTransactionCount(1, 1);
    const QByteArray before = bytesOf(pwb("Home"));
    FinForm5& form = open();
    tick(form.Check1, true);
    retype(form.Text1, "1000.0001");
    retype(form.Text2, "0.12345");
    form.Command1->click();
    retype(form.Text2, "0");
    form.Command1->click();
    EXPECT_EQ(messages->texts,
              QStringList({"\"0.12345\" has too many decimals. Please type an amount with at most four decimals, "
                           "such as 99.95.",
                           "This would take the sums of \"Check Account\" past 922337203685477.5807, the largest "
                           "amount the program can hold, and its balances could no longer be shown. Settings not "
                           "saved."}));
    EXPECT_TRUE(settingsOpen());
    EXPECT_EQ(bytesOf(pwb("Home")), before);

    retype(form.Text1, "1000");
    form.Command1->click();
    EXPECT_FALSE(settingsOpen());
    EXPECT_EQ(summaryOf(1), QStringList({"922337203684477.5807", "922337203685477.5807"}));
}

TEST_F(AccountSettingsTest, AnAccountBoxThatNamesNoAccountReadsAndWritesNothing) {
    storeSettings(2, "300", -1, "1", -1, "-2");  // alarms that do not hold
    const QByteArray before = bytesOf(pwb("Home"));
    FinForm5& form = open();
    QTest::keyClicks(form.Combo1->lineEdit(), "x");
    retype(form.Text2, "55");
    form.Command3->click();
    EXPECT_EQ(messages->texts, QStringList{"Please select account"});
    form.Command1->click();
    EXPECT_TRUE(settingsOpen());
    EXPECT_EQ(bytesOf(pwb("Home")), before);

    // A load with no account chosen, as opening a portfolio runs it, leaves the window as it is.
    form.Combo1->setText("Credit");
    app().window<FinMDIForm1>().setEnabled(true);
    openPortfolio(pwb("Home"));
    ASSERT_TRUE(portfolioOpen());
    EXPECT_EQ(form.Text2->Text(), "55");
    EXPECT_TRUE(form.Command3->isEnabled());

    // An empty account box: Apply does nothing, OK closes without saving.
    form.Combo1->setText(QString());
    messages->texts.clear();
    form.Command3->click();
    form.Command1->click();
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_FALSE(settingsOpen());
    EXPECT_FALSE(financeLocked());
    EXPECT_EQ(bytesOf(pwb("Home")), before);
}

}  // namespace
