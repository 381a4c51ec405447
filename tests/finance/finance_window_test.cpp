#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "common/conversions.h"
#include "support/finance_test.h"

namespace {

using namespace FinModule;

class FinanceWindowTest : public FinanceTest {
protected:
    // Whether each command that needs a portfolio is enabled, in the order
    // the commands are switched: menu items Close, Accounts, View, toolbar buttons 4 to 7.
    static std::vector<bool> portfolioCommands(const FinMDIForm1& finance) {
        std::vector<bool> on{finance.Close->isEnabled(), finance.Accounts->menuAction()->isEnabled(),
                             finance.View->menuAction()->isEnabled()};
        for (int b = 4; b <= 7; ++b) on.push_back(finance.Toolbar1->Buttons(b)->isEnabled());
        return on;
    }
    static std::vector<bool> alwaysOn(const FinMDIForm1& finance) {
        return {finance.Open->isEnabled(), finance.New->isEnabled(), finance.Exit->isEnabled(),
                finance.File->menuAction()->isEnabled(), finance.Toolbar1->Buttons(1)->isEnabled(),
                finance.Toolbar1->Buttons(2)->isEnabled()};
    }
    static QStringList header(const FlexGrid* grid) {
        QStringList cells;
        for (int c = 0; c < grid->Cols(); ++c) cells << grid->TextMatrix(0, c);
        return cells;
    }
    static QStringList columnWidths(const FlexGrid* grid) {
        QStringList widths;
        for (int c = 0; c < grid->Cols(); ++c) widths << QString::number(grid->ColWidth(c));
        return widths;
    }
    static QMdiSubWindow* active(FinMDIForm1& finance) { return finance.area()->activeSubWindow(); }

    std::vector<MdiChildForm*> children() {
        return {&app().window<FinForm1>(), &app().window<FinForm4>(), &app().window<FinForm6>(),
                &app().window<FinForm9>()};
    }
};

const std::vector<bool> AllOff(7, false);
const std::vector<bool> AllOn(7, true);

TEST_F(FinanceWindowTest, AFreshWindowHasOnlyTheCommandsOfNoPortfolio) {
    FinMDIForm1& finance = openFinance();
    EXPECT_EQ(finance.Caption(), "Personal Finances");
    EXPECT_TRUE(finance.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(finance.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(finance.width(), 465);  // 6975 twips
    EXPECT_EQ(finance.height() - finance.menuBar()->height(), 281);  // 4215 twips below the menu bar
    EXPECT_EQ(portfolioCommands(finance), AllOff);
    EXPECT_EQ(alwaysOn(finance), std::vector<bool>(6, true));
    EXPECT_FALSE(portfolioOpen());
    EXPECT_TRUE(finance.area()->subWindowList().isEmpty()) << "no child window before a portfolio";

    QStringList menus;
    for (QAction* top : finance.menuBar()->actions()) {
        QStringList entries{top->objectName() + "=" + top->text()};
        for (QAction* item : top->menu()->actions()) {
            entries << item->objectName() + (item->isSeparator() ? QString("-") : "=" + item->text());
            EXPECT_TRUE(item->shortcut().isEmpty());
        }
        menus << entries.join(", ");
    }
    EXPECT_EQ(menus, QStringList({"File=&File, Open=&Open Portfolio, New=&New Portfolio, Close=&Close, "
                                  "mnuFileBar0-, Exit=E&xit",
                                  "Accounts=&Accounts, RenameAccount=&Rename Account, ChangeCategory=&Change Category, "
                                  "mnuAccountsBar0-, Transactions=Add &Transactions, DOrders=&Debit Orders, "
                                  "mnuAccountsBar1-, ASetup=Account &Settings",
                                  "View=&View, ViewS=&Summary, ViewT=&Transactions"}));

    QStringList buttons;
    for (int b = 1; b <= finance.Toolbar1->ButtonCount(); ++b) {
        const ToolbarButton* button = finance.Toolbar1->Buttons(b);
        buttons << (button->isSeparator() ? QString("-") : button->Key() + "=" + button->ToolTipText());
        EXPECT_EQ(button->Index(), b);
        EXPECT_EQ(button->property("Key").toString(), button->Key());
    }
    EXPECT_EQ(buttons, QStringList({"Open=Open Portfolio", "New=New Portfolio", "-", "Summary=Summary",
                                    "Transactions=Transactions", "AddTrans=Add Transaction", "Debit=Debit Orders"}));
    for (const char* key : {"Open", "Help", "New", "AddTrans", "Debit", "Summary", "Trans"})
        EXPECT_NE(finance.ImageList1->Index(key), 0) << key;
}

TEST_F(FinanceWindowTest, AnOpenPortfolioEnablesEverythingAndFillsEveryList) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    EXPECT_EQ(portfolioCommands(finance), AllOn);
    EXPECT_EQ(alwaysOn(finance), std::vector<bool>(6, true));

    const QStringList accounts = {"Check Account", "Credit Card", "Savings Account", "Home Loan", "Personnal Loan"};
    FinForm1& transactions = app().window<FinForm1>();
    EXPECT_TRUE(transactions.Command1->isEnabled());
    EXPECT_TRUE(transactions.Combo1->isEnabled());
    EXPECT_EQ(items(transactions.Combo1), QStringList{"All Accounts"} + accounts);
    EXPECT_EQ(transactions.Combo1->ListIndex(), 0);
    EXPECT_EQ(transactions.Combo1->Text(), "All Accounts");
    const QStringList categories = items(transactions.Combo2);
    ASSERT_EQ(categories.size(), 23);
    EXPECT_EQ(categories.mid(0, 5), QStringList({"All Categories", "Debit Orders", "Inter Account Transfer", "Salary", "Food"}));
    EXPECT_EQ(categories[22], "No Category");
    EXPECT_EQ(transactions.Combo2->Text(), "All Categories");
    EXPECT_EQ(transactions.DTPicker1->Value(), QDate(2001, 1, 1));
    EXPECT_EQ(transactions.DTPicker2->Value(), defaultNow().date());
    EXPECT_EQ(header(transactions.MSFlexGrid1), QStringList({"Date ", "Category ", "Description ", "Amount ", "Balance ", " ID "}));

    FinForm6& entry = app().window<FinForm6>();
    for (ComboBox* list : entry.Combo1) {
        EXPECT_EQ(items(list), accounts);
        EXPECT_EQ(list->ListIndex(), -1) << "no account chosen yet";
    }
    EXPECT_EQ(items(entry.Combo2), categories.mid(3));
    EXPECT_EQ(entry.Text1->Text(), "");
    EXPECT_EQ(entry.Text2[0]->Text(), "");
    EXPECT_EQ(entry.Text2[1]->Text(), "");
    EXPECT_EQ(entry.DTPicker1[1]->Value(), defaultNow().date());
    EXPECT_TRUE(entry.Option2->property("Value").toBool()) << "Expence";
    EXPECT_TRUE(entry.Frame1->isVisibleTo(&entry));
    EXPECT_FALSE(entry.Frame2->isVisibleTo(&entry));

    FinForm9& debitOrders = app().window<FinForm9>();
    EXPECT_EQ(items(debitOrders.Combo1), accounts);
    EXPECT_EQ(debitOrders.Combo1->Text(), "");
    EXPECT_EQ(header(debitOrders.MSFlexGrid1), QStringList({"Start Date ", "End Date ", "Description ", "Amount "}));
    EXPECT_EQ(items(app().window<FinDialog>().Combo1), accounts);
    EXPECT_EQ(app().window<FinDialog>().Combo1->ListIndex(), -1);
    EXPECT_EQ(items(app().window<FinDialog1>().Combo1), categories.mid(3));
    EXPECT_EQ(app().window<FinDialog1>().Combo1->Text(), "");
    EXPECT_FALSE(app().window<FinDialog>().isVisible());
}

TEST_F(FinanceWindowTest, ClosingThePortfolioSwitchesBackCaptionAndCommandsButNotTheChildWindowsInputs) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    finance.Close->trigger();
    EXPECT_EQ(finance.Caption(), "Personal Finances");
    EXPECT_EQ(portfolioCommands(finance), AllOff);
    EXPECT_EQ(alwaysOn(finance), std::vector<bool>(6, true));
    EXPECT_TRUE(finance.isVisible());
    // The transaction window's own commands follow with the next refresh of the lists.
    RefreshPortfolioLists();
    EXPECT_FALSE(app().window<FinForm1>().Command1->isEnabled());
    EXPECT_FALSE(app().window<FinForm1>().Combo1->isEnabled());
    EXPECT_TRUE(items(app().window<FinForm1>().Combo1).isEmpty());
    EXPECT_EQ(app().window<FinForm1>().Combo1->Text(), "");
}

TEST_F(FinanceWindowTest, TheFirstPortfolioMakesAndShowsTheChildWindowsALaterOneOnlyTheSummary) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    EXPECT_EQ(finance.area()->subWindowList().size(), 4);
    for (MdiChildForm* child : children()) EXPECT_TRUE(child->isVisible()) << qPrintable(child->objectName());
    EXPECT_EQ(active(finance), app().window<FinForm4>().subWindow());

    openPortfolio(pwb("Home"));
    EXPECT_TRUE(app().window<FinForm4>().isVisible());
    EXPECT_TRUE(app().window<FinForm4>().isMaximizedState());
    EXPECT_FALSE(app().window<FinForm1>().isVisible());
    EXPECT_FALSE(app().window<FinForm6>().isVisible());
    EXPECT_FALSE(app().window<FinForm9>().isVisible());
    EXPECT_EQ(finance.area()->subWindowList().size(), 4);
}

TEST_F(FinanceWindowTest, MenusAndToolbarShowTheirChildWindowsMaximized) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    finance.Close->trigger();
    openPortfolio(pwb("Home"));

    auto expectFront = [&](MdiChildForm& child, const char* how) {
        EXPECT_TRUE(child.isVisible()) << how;
        EXPECT_TRUE(child.isMaximizedState()) << how;
        EXPECT_EQ(active(finance), child.subWindow()) << how;
    };
    clickToolbar(finance, 5);
    expectFront(app().window<FinForm1>(), "toolbar Transactions: the list");
    clickToolbar(finance, 6);
    expectFront(app().window<FinForm6>(), "toolbar AddTrans: the entry window");
    clickToolbar(finance, 7);
    expectFront(app().window<FinForm9>(), "toolbar Debit");
    clickToolbar(finance, 4);
    expectFront(app().window<FinForm4>(), "toolbar Summary");
    finance.Transactions->trigger();
    expectFront(app().window<FinForm6>(), "menu Add Transactions");
    finance.ViewT->trigger();
    expectFront(app().window<FinForm1>(), "menu View Transactions");
    finance.DOrders->trigger();
    expectFront(app().window<FinForm9>(), "menu Debit Orders");
    finance.ViewS->trigger();
    expectFront(app().window<FinForm4>(), "menu Summary");

    clickToolbar(finance, 2);
    EXPECT_TRUE(app().window<FinForm3>().isVisible());
    clickToolbar(finance, 1);
    EXPECT_EQ(fileDialog->titles.size(), 2);  // the open above and this one
    EXPECT_FALSE(portfolioOpen()) << "cancelled";
}

TEST_F(FinanceWindowTest, AToolbarCommandThatFailsIsDroppedAndTheToolbarStaysUsable) {
    struct FailingDialog : OpenFileSeam {
        std::optional<QString> open(const QString&, const QString&) override { throw std::runtime_error("no dialog"); }
    };
    application.reset();
    application = std::make_unique<Application>(Application::Seams{
        std::make_unique<FakeClock>(defaultNow()), std::make_unique<RecordingMessages>(),
        std::make_unique<FailingDialog>(), [this](int code) { endCodes.push_back(code); }});

    FinMDIForm1& finance = openFinance();
    clickToolbar(finance, 1);
    EXPECT_FALSE(portfolioOpen());
    clickToolbar(finance, 2);
    EXPECT_TRUE(app().window<FinForm3>().isVisible());

    // A key that names no command does nothing.
    app().window<FinForm3>().hide();
    emit finance.Toolbar1->ButtonClick(finance.Toolbar1->addButton("Help", "Help", "Help"));
    EXPECT_FALSE(app().window<FinForm3>().isVisible());
}

TEST_F(FinanceWindowTest, ExitClosesThePortfolioAndHidesTheWindowWhichComesBackAsLeft) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1* finance = &app().window<FinMDIForm1>();
    finance->Exit->trigger();
    EXPECT_FALSE(finance->isVisible());
    EXPECT_FALSE(portfolioOpen());
    EXPECT_FALSE(QFile::exists(portfolioLockPath(pwb("Home"))));
    EXPECT_EQ(&openFinance(), finance) << "hidden, not destroyed";
    EXPECT_EQ(finance->Caption(), "Personal Finances");
    EXPECT_EQ(portfolioCommands(*finance), AllOff);
    for (MdiChildForm* child : children()) EXPECT_FALSE(child->isVisible()) << qPrintable(child->objectName());
}

TEST_F(FinanceWindowTest, TheCloseBoxClosesThePortfolioAndDestroysTheWindowWithItsChildWindows) {
    createPortfolio(QStringLiteral("Home"));
    QPointer<FinMDIForm1> finance = &app().window<FinMDIForm1>();
    QPointer<FinForm1> transactions = &app().window<FinForm1>();
    finance->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(finance);
    EXPECT_FALSE(transactions);
    EXPECT_FALSE(portfolioOpen());
    for (int n = 1; n <= 6; ++n) EXPECT_FALSE(application->files().isOpen(n));
    EXPECT_FALSE(QFile::exists(portfolioLockPath(pwb("Home"))));
    // The tool windows and dialogs outlive it.
    EXPECT_TRUE(app().existingWindow<FinForm3>());
    EXPECT_TRUE(app().existingWindow<FinDialog>());

    FinMDIForm1& again = openFinance();
    EXPECT_EQ(again.Caption(), "Personal Finances");
    EXPECT_TRUE(again.area()->subWindowList().isEmpty());
    openPortfolio(pwb("Home"));
    EXPECT_EQ(again.area()->subWindowList().size(), 4);
    EXPECT_EQ(app().window<FinForm4>().Label1[2]->Caption(), "Credit Card");
}

TEST_F(FinanceWindowTest, ChildWindowsCannotBeClosed) {
    createPortfolio(QStringLiteral("Home"));
    for (MdiChildForm* child : children()) {
        QMdiSubWindow* sub = child->subWindow();
        EXPECT_FALSE(sub->windowFlags() & Qt::WindowCloseButtonHint) << qPrintable(child->objectName());
        EXPECT_FALSE(sub->windowFlags() & Qt::WindowSystemMenuHint);
        child->Show();
        EXPECT_FALSE(sub->close());
        EXPECT_TRUE(child->isVisible()) << qPrintable(child->objectName());
    }
}

TEST_F(FinanceWindowTest, TheGridsFollowTheWindowsSizeExceptWhileItIsMinimized) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    FinForm1& transactions = app().window<FinForm1>();
    FinForm9& debitOrders = app().window<FinForm9>();
    // The outer size counts the window's border too.
    const QSize border = finance.frameGeometry().size() - finance.size();
    finance.resize(QSize(900, 600) - border);  // 13500 x 9000 twips outside
    QCoreApplication::processEvents();
    EXPECT_EQ(transactions.Frame1->Width(), 13250);
    EXPECT_EQ(transactions.Frame1->Height(), 7800);
    EXPECT_EQ(transactions.MSFlexGrid1->Width(), 13015);
    EXPECT_EQ(transactions.MSFlexGrid1->Height(), 6500);
    // (13015 - 115) x 0.15, 0.23, 0.23, 0.15, 0.15, 0.09
    EXPECT_EQ(columnWidths(transactions.MSFlexGrid1), QStringList({"1935", "2967", "2967", "1935", "1935", "1161"}));
    EXPECT_EQ(debitOrders.MSFlexGrid1->Width(), 13020);
    EXPECT_EQ(debitOrders.MSFlexGrid1->Height(), 6700);
    // The same width shared as 0.18, 0.18, 0.38, 0.26: the transaction grid's, 5 twips narrower.
    EXPECT_EQ(columnWidths(debitOrders.MSFlexGrid1), QStringList({"2322", "2322", "4902", "3354"}));

    finance.showMinimized();
    finance.resize(QSize(600, 400) - border);
    QCoreApplication::processEvents();
    EXPECT_EQ(transactions.Frame1->Width(), 13250) << "nothing changes while minimized";
    finance.showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(transactions.Frame1->Width(), 8750);
    EXPECT_EQ(debitOrders.MSFlexGrid1->Height(), 3700);

    // Smaller than the margins: nothing below zero.
    finance.setMinimumSize(1, 1);
    finance.resize(20, 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(transactions.MSFlexGrid1->Width(), 0);
    EXPECT_EQ(transactions.MSFlexGrid1->Height(), 0);
    EXPECT_EQ(debitOrders.MSFlexGrid1->Height(), 0);
    EXPECT_EQ(columnWidths(transactions.MSFlexGrid1), QStringList({"0", "0", "0", "0", "0", "0"}));
}

TEST_F(FinanceWindowTest, WhileLockedTheWindowTakesNoInputButTheToolWindowsDo) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    finance.RenameAccount->trigger();
    finance.New->trigger();
    finance.setEnabled(false);
    EXPECT_FALSE(finance.menuBar()->isEnabled());
    EXPECT_FALSE(finance.Toolbar1->isEnabled());
    EXPECT_FALSE(app().window<FinForm1>().Combo1->isEnabled());
    EXPECT_TRUE(app().window<FinDialog>().isEnabled());
    EXPECT_TRUE(app().window<FinDialog>().OKButton->isEnabled());
    EXPECT_TRUE(app().window<FinForm3>().Command1->isEnabled());
    finance.setEnabled(true);
    EXPECT_TRUE(finance.Toolbar1->isEnabled());
}

}  // namespace
