#include <gtest/gtest.h>

#include <QFileInfo>

#include "support/finance_test.h"

namespace {

using namespace FinModule;

class RenamesTest : public HomePortfolioTest {
protected:
    void SetUp() override {
        HomePortfolioTest::SetUp();
        finance = &app().window<FinMDIForm1>();
        before = bytesOf(pwb("Home"));
    }

    // "Rename Account" from the menu: pick the account, type the name, OK.
    void renameAccount(int item, const QString& name) {
        finance->RenameAccount->trigger();
        FinDialog& dialog = app().window<FinDialog>();
        if (item >= 0) dialog.Combo1->pick(item);
        retype(dialog.Text1, name);
        dialog.OKButton->click();
    }
    // "Change Category": the same with the categories.
    void changeCategory(int item, const QString& name) {
        finance->ChangeCategory->trigger();
        FinDialog1& dialog = app().window<FinDialog1>();
        if (item >= 0) dialog.Combo1->pick(item);
        retype(dialog.Text1, name);
        dialog.OKButton->click();
    }

    FinMDIForm1* finance = nullptr;
    QByteArray before;  // the portfolio file as created
};

TEST_F(RenamesTest, ARenameWritesItsRecordOnlyAndRefreshesEveryList) {
    // An input that the refresh resets.
    list().DTPicker1->pick(QDate(2020, 5, 1));

    renameAccount(1, QStringLiteral("Cash"));
    changeCategory(1, QStringLiteral("Groceries"));

    EXPECT_EQ(bytesOf(pwb("Home")), withValue(withValue(before, 2, taggedString("Cash")), 7, stringBytes("Groceries")));
    // The lists are filled afresh, as opening a portfolio fills them.
    EXPECT_EQ(items(list().Combo1),
              QStringList({"All Accounts", "Check Account", "Cash", "Savings Account", "Home Loan", "Personnal Loan"}));
    EXPECT_EQ(items(list().Combo2)[4], "Groceries");
    EXPECT_EQ(list().DTPicker1->Value(), QDate(2001, 1, 1));
    EXPECT_EQ(app().window<FinForm4>().Label1[2]->Caption(), "Cash");
    EXPECT_FALSE(app().window<FinDialog>().isVisible());
    EXPECT_EQ(app().window<FinDialog>().Combo1->ListIndex(), -1) << "opened next time with nothing chosen";

    // Spaces are kept, two accounts may share a name, and even the name of a fixed filter entry is taken.
    renameAccount(4, QStringLiteral("  Cash "));
    EXPECT_TRUE(record(pwb("Home"), 5).startsWith(taggedString("  Cash ")));
    changeCategory(19, QStringLiteral("All Categories"));
    EXPECT_EQ(storedString(pwb("Home"), 25), "All Categories");
    EXPECT_TRUE(messages->texts.isEmpty());
}

TEST_F(RenamesTest, NoChoiceOrNoNameRenamesNothingAndStillHidesTheDialog) {
    renameAccount(-1, QStringLiteral("Cash"));
    renameAccount(2, QString());
    changeCategory(-1, QStringLiteral("Groceries"));
    changeCategory(3, QString());
    EXPECT_FALSE(app().window<FinDialog>().isVisible());
    EXPECT_FALSE(app().window<FinDialog1>().isVisible());

    // A category typed, or chosen then edited, is no choice.
    finance->ChangeCategory->trigger();
    FinDialog1& dialog = app().window<FinDialog1>();
    QTest::keyClicks(dialog.Combo1->lineEdit(), "Food");
    retype(dialog.Text1, QStringLiteral("Groceries"));
    dialog.OKButton->click();
    finance->ChangeCategory->trigger();
    dialog.Combo1->pick(1);
    dialog.Combo1->lineEdit()->end(false);
    QTest::keyClicks(dialog.Combo1->lineEdit(), "stuff");
    ASSERT_EQ(dialog.Combo1->Text(), "Foodstuff");
    retype(dialog.Text1, QStringLiteral("Groceries"));
    dialog.OKButton->click();

    // Cancel writes nothing either, and keeps what was typed.
    finance->RenameAccount->trigger();
    app().window<FinDialog>().Combo1->pick(0);
    retype(app().window<FinDialog>().Text1, QStringLiteral("Cash"));
    app().window<FinDialog>().CancelButton->click();
    EXPECT_FALSE(app().window<FinDialog>().isVisible());
    EXPECT_EQ(app().window<FinDialog>().Text1->Text(), "Cash");
    EXPECT_EQ(bytesOf(pwb("Home")), before);
    EXPECT_TRUE(messages->texts.isEmpty());
}

// A name holding a character the portfolio file cannot hold is told; the
// dialog stays open with the name and the choice, so that the user mends it
// and OK renames.
TEST_F(RenamesTest, ANameTheFileCannotHoldIsToldAndKeptInTheOpenDialog) {
    const QString refused = QString::fromUtf8("Cash \u03A9");
    const QString told = QString::fromUtf8(
        "The character \"\u03A9\" cannot be kept in the organizer's files. Please type the text without it.");
    auto mendAndRename = [&](Form& dialog, ComboBox* choice, TextBox* name, CommandButton* ok, int item) {
        EXPECT_EQ(messages->texts, QStringList{told});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(name->Text(), refused);
        EXPECT_EQ(choice->ListIndex(), item);
        EXPECT_EQ(bytesOf(pwb("Home")), before);
        messages->texts.clear();

        name->setFocus();
        QTest::keyClick(name->findChild<QLineEdit*>(), Qt::Key_Backspace);
        click(ok);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(messages->texts.isEmpty());
    };

    renameAccount(1, refused);
    FinDialog& account = app().window<FinDialog>();
    mendAndRename(account, account.Combo1, account.Text1, account.OKButton, 1);
    before = withValue(before, 2, taggedString("Cash "));
    EXPECT_EQ(bytesOf(pwb("Home")), before);

    changeCategory(2, refused);
    FinDialog1& category = app().window<FinDialog1>();
    mendAndRename(category, category.Combo1, category.Text1, category.OKButton, 2);
    EXPECT_EQ(bytesOf(pwb("Home")), withValue(before, 8, stringBytes("Cash ")));
}

TEST_F(RenamesTest, APortfolioWithoutNamesCannotBeRenamed) {
    openPortfolio(dataPath("Blank.pwb"));
    renameAccount(0, QStringLiteral("Cash"));
    changeCategory(0, QStringLiteral("Groceries"));
    EXPECT_EQ(QFileInfo(pwb("Blank")).size(), 0);
}

// Transactions keep the category they were stored under; typing the old
// name into the list's category box finds them (a date change refills).
TEST_F(RenamesTest, TheOldCategoryNameTypedListsWhatIsStoredUnderIt) {
    storeTransaction(1, 1, QDate(2024, 1, 2), "-3", "Bread", "Food");
    storeTransaction(1, 2, QDate(2024, 1, 3), "-10", "Pay", "Salary");
    storeTransaction(1, 3, QDate(2024, 1, 4), "-4.5", "Milk", "Food");
    storeTransactionCount(1, 3);
    changeCategory(1, QStringLiteral("Groceries"));
    pickItem(list().Combo2, QStringLiteral("Groceries"));
    EXPECT_EQ(grid()->Rows(), 2);

    list().Combo2->lineEdit()->selectAll();
    QTest::keyClicks(list().Combo2->lineEdit(), "Food");
    list().DTPicker2->pick(QDate(2024, 3, 6));
    EXPECT_EQ(column(2), QStringList({"Bread", "Milk"}));
    EXPECT_EQ(column(4), QStringList({"-3", "-7.5"}));
    EXPECT_EQ(total(), "-7.5");
    EXPECT_TRUE(grid()->Visible());
}

TEST_F(RenamesTest, ReopeningThePortfolioShowsTheNewNames) {
    renameAccount(2, QStringLiteral("Rainy Day"));
    changeCategory(10, QStringLiteral("Rent"));
    finance->Close->trigger();
    nextRun();
    EXPECT_EQ(app().window<FinForm4>().Label1[3]->Caption(), "Rainy Day");
    EXPECT_EQ(items(app().window<FinForm1>().Combo2)[13], "Rent");
}

}  // namespace
