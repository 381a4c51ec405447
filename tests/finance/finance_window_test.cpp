#include <gtest/gtest.h>

#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyleOptionComplex>

#include "common/conversions.h"
#include "support/finance_test.h"
#include "support/window_manager.h"

namespace {

using namespace FinModule;

class FinanceWindowTest : public FinanceTest {
protected:
    // Whether each command is enabled, 1 or 0: Open, New, Close, Exit, the
    // menus File, Accounts, View; then the toolbar's buttons 1, 2 and 4 to 7.
    static QString commands(const FinMDIForm1& finance) {
        QString on;
        for (bool enabled : {finance.Open->isEnabled(), finance.New->isEnabled(), finance.Close->isEnabled(),
                             finance.Exit->isEnabled(), finance.File->menuAction()->isEnabled(),
                             finance.Accounts->menuAction()->isEnabled(), finance.View->menuAction()->isEnabled()})
            on += enabled ? u'1' : u'0';
        on += u' ';
        for (int b : {1, 2, 4, 5, 6, 7}) on += finance.Toolbar1->Buttons(b)->isEnabled() ? u'1' : u'0';
        return on;
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

const QString NoPortfolio = QStringLiteral("1101100 110000");
const QString Portfolio = QStringLiteral("1111111 111111");

TEST_F(FinanceWindowTest, AFreshWindowHasOnlyTheCommandsOfNoPortfolio) {
    FinMDIForm1& finance = openFinance();
    EXPECT_EQ(finance.Caption(), "Personal Finances");
    EXPECT_EQ(commands(finance), NoPortfolio);
    EXPECT_TRUE(finance.area()->subWindowList().isEmpty()) << "no child window before a portfolio";

    QStringList menus;
    for (QAction* top : finance.menuBar()->actions()) {
        QStringList entries{top->objectName() + "=" + top->text()};
        for (QAction* item : top->menu()->actions())
            entries << item->objectName() + (item->isSeparator() ? QString("-") : "=" + item->text());
        menus << entries.join(", ");
    }
    EXPECT_EQ(menus, QStringList({"File=&File, Open=&Open Portfolio, New=&New Portfolio, Close=&Close, "
                                  "mnuFileBar0-, Exit=E&xit",
                                  "Accounts=&Accounts, RenameAccount=&Rename Account, ChangeCategory=&Change Category, "
                                  "mnuAccountsBar0-, Transactions=Add &Transactions, DOrders=&Debit Orders, "
                                  "mnuAccountsBar1-, ASetup=Account &Settings",
                                  "View=&View, ViewS=&Summary, ViewT=&Transactions"}));
}

TEST_F(FinanceWindowTest, AnOpenPortfolioEnablesEverythingAndFillsEveryList) {
    createPortfolio(QStringLiteral("Home"));
    EXPECT_EQ(commands(app().window<FinMDIForm1>()), Portfolio);

    const QStringList accounts = {"Check Account", "Credit Card", "Savings Account", "Home Loan", "Personnal Loan"};
    EXPECT_TRUE(list().Command1->isEnabled());
    EXPECT_EQ(items(list().Combo1), QStringList{"All Accounts"} + accounts);
    EXPECT_EQ(list().Combo1->Text(), "All Accounts");
    const QStringList categories = items(list().Combo2);
    ASSERT_EQ(categories.size(), 23);
    EXPECT_EQ(categories.mid(0, 5), QStringList({"All Categories", "Debit Orders", "Inter Account Transfer", "Salary", "Food"}));
    EXPECT_EQ(categories[22], "No Category");
    EXPECT_EQ(list().Combo2->Text(), "All Categories");
    EXPECT_EQ(list().DTPicker1->Value(), QDate(2001, 1, 1));
    EXPECT_EQ(list().DTPicker2->Value(), defaultNow().date());
    EXPECT_EQ(row(0), QStringList({"Date ", "Category ", "Description ", "Amount ", "Balance ", " ID "}));
    EXPECT_EQ(row(1), QStringList({"", "", "", "", "0", ""}));

    FinForm6& entry = app().window<FinForm6>();
    for (ComboBox* box : entry.Combo1) {
        EXPECT_EQ(items(box), accounts);
        EXPECT_EQ(box->ListIndex(), -1) << "no account chosen yet";
    }
    EXPECT_EQ(items(entry.Combo2), categories.mid(3));
    EXPECT_TRUE(entry.Option2->property("Value").toBool()) << "Expence";
    FinForm9& debitOrders = app().window<FinForm9>();
    EXPECT_EQ(items(debitOrders.Combo1), accounts);
    EXPECT_EQ(debitOrders.Combo1->Text(), "");
    EXPECT_EQ(row(0, debitOrders.MSFlexGrid1), QStringList({"Start Date ", "End Date ", "Description ", "Amount "}));
    EXPECT_EQ(items(app().window<FinDialog>().Combo1), accounts);
    EXPECT_EQ(items(app().window<FinDialog1>().Combo1), categories.mid(3));
    EXPECT_EQ(items(app().window<FinDialog2>().Combo1), categories.mid(3));
}

TEST_F(FinanceWindowTest, CloseAndExitEndThePortfolioAndItsCommands) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    finance.Close->trigger();
    EXPECT_FALSE(portfolioOpen());
    EXPECT_TRUE(fileNumbersFree());
    EXPECT_EQ(finance.Caption(), "Personal Finances");
    EXPECT_EQ(commands(finance), NoPortfolio);
    EXPECT_TRUE(finance.isVisible());
    for (MdiChildForm* child : children()) EXPECT_FALSE(child->isVisible()) << qPrintable(child->objectName());
    // The lists are refilled by the next open, not cleared now; the list's own commands follow that refresh.
    EXPECT_EQ(items(app().window<FinDialog>().Combo1).size(), 5);
    RefreshPortfolioLists();
    EXPECT_FALSE(list().Command1->isEnabled());
    EXPECT_FALSE(list().Combo1->isEnabled());
    EXPECT_TRUE(items(list().Combo1).isEmpty());

    // Exit hides the window, which comes back as it was left.
    openPortfolio(pwb("Home"));
    finance.Exit->trigger();
    EXPECT_FALSE(finance.isVisible());
    EXPECT_FALSE(portfolioOpen());
    EXPECT_EQ(&openFinance(), &finance) << "hidden, not destroyed";
    EXPECT_EQ(finance.Caption(), "Personal Finances");
    EXPECT_EQ(commands(finance), NoPortfolio);
    for (MdiChildForm* child : children()) EXPECT_FALSE(child->isVisible()) << qPrintable(child->objectName());
}

TEST_F(FinanceWindowTest, TheFirstPortfolioMakesAndShowsTheChildWindowsALaterOneOnlyTheSummary) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    EXPECT_EQ(finance.area()->subWindowList().size(), 4);
    for (MdiChildForm* child : children()) {
        EXPECT_TRUE(child->isVisible()) << qPrintable(child->objectName());
        EXPECT_FALSE(child->subWindow()->close()) << "a child window cannot be closed";
        EXPECT_TRUE(child->isVisible()) << qPrintable(child->objectName());
    }
    EXPECT_TRUE(app().window<FinForm4>().isMaximizedState());
    EXPECT_EQ(active(finance), app().window<FinForm4>().subWindow());

    openPortfolio(pwb("Home"));
    for (MdiChildForm* child : children())
        EXPECT_EQ(child->isVisible(), child == &app().window<FinForm4>()) << qPrintable(child->objectName());
    EXPECT_TRUE(app().window<FinForm4>().isMaximizedState());
    EXPECT_EQ(finance.area()->subWindowList().size(), 4);
}

TEST_F(FinanceWindowTest, MenusAndToolbarShowTheirChildWindowsMaximized) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    finance.Close->trigger();
    openPortfolio(pwb("Home"));

    const std::tuple<QWidget*, QAction*, MdiChildForm*> ways[] = {
        {finance.Toolbar1->buttonWidget(5), finance.ViewT, &list()},
        {finance.Toolbar1->buttonWidget(6), finance.Transactions, &app().window<FinForm6>()},
        {finance.Toolbar1->buttonWidget(7), finance.DOrders, &app().window<FinForm9>()},
        {finance.Toolbar1->buttonWidget(4), finance.ViewS, &app().window<FinForm4>()}};
    for (bool byMenu : {false, true})
        for (const auto& [button, action, child] : ways) {
            SCOPED_TRACE(qPrintable(child->objectName() + (byMenu ? " by the menu" : " by the toolbar")));
            if (byMenu)
                action->trigger();
            else
                click(button);
            EXPECT_TRUE(child->isVisible());
            EXPECT_TRUE(child->isMaximizedState());
            EXPECT_EQ(active(finance), child->subWindow());
        }

    click(finance.Toolbar1->buttonWidget(2));
    EXPECT_TRUE(app().window<FinForm3>().isVisible());
    click(finance.Toolbar1->buttonWidget(1));
    EXPECT_EQ(fileDialog->titles.size(), 2);  // the open above and this one
    EXPECT_FALSE(portfolioOpen()) << "cancelled";
}

// A child window minimized from maximized by its button in the menu bar comes
// back maximized, its caption in the window's, by every command that shows it.
TEST_F(FinanceWindowTest, AChildMinimizedByItsButtonComesBackMaximizedByItsCommand) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    const QString caption = "Pursewell - " + dataPath("Home");
    auto toolbar = [&](int button) { return [&finance, button] { click(finance.Toolbar1->buttonWidget(button)); }; };
    auto menu = [](QAction* item) { return [item] { item->trigger(); }; };
    const std::tuple<const char*, std::function<void()>, MdiChildForm*> commands[] = {
        {"View > Summary", menu(finance.ViewS), &app().window<FinForm4>()},
        {"Summary button", toolbar(4), &app().window<FinForm4>()},
        {"View > Transactions", menu(finance.ViewT), &list()},
        {"Transactions button", toolbar(5), &list()},
        {"Add Transactions", menu(finance.Transactions), &app().window<FinForm6>()},
        {"Add Transaction button", toolbar(6), &app().window<FinForm6>()},
        {"Add of the list", [&finance] { finance.ViewT->trigger(); click(list().Command1); }, &app().window<FinForm6>()},
        {"Debit Orders", menu(finance.DOrders), &app().window<FinForm9>()},
        {"Debit Orders button", toolbar(7), &app().window<FinForm9>()}};
    for (const auto& [name, command, child] : commands) {
        SCOPED_TRACE(name);
        command();
        ASSERT_TRUE(child->isMaximizedState());
        minimizeMaximizedChild();
        ASSERT_TRUE(child->subWindow()->isMinimized());

        command();
        QCoreApplication::processEvents();
        EXPECT_TRUE(child->isMaximizedState());
        EXPECT_EQ(child->subWindow()->geometry(), finance.area()->viewport()->rect());
        EXPECT_EQ(active(finance), child->subWindow());
        EXPECT_EQ(finance.windowTitle().toStdString(), (caption + " - [" + child->Caption() + "]").toStdString());
    }
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
    click(finance.Toolbar1->buttonWidget(1));
    EXPECT_FALSE(portfolioOpen());
    click(finance.Toolbar1->buttonWidget(2));
    EXPECT_TRUE(app().window<FinForm3>().isVisible());

    // A key that names no command does nothing.
    app().window<FinForm3>().hide();
    emit finance.Toolbar1->ButtonClick(finance.Toolbar1->addButton("Help", "Help", "Help"));
    EXPECT_FALSE(app().window<FinForm3>().isVisible());
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
    EXPECT_TRUE(fileNumbersFree());
    EXPECT_FALSE(QFile::exists(portfolioLockPath(pwb("Home"))));
    EXPECT_TRUE(app().existingWindow<FinDialog>()) << "the dialogs outlive it";

    FinMDIForm1& again = openFinance();
    EXPECT_TRUE(again.area()->subWindowList().isEmpty());
    openPortfolio(pwb("Home"));
    EXPECT_EQ(again.area()->subWindowList().size(), 4);
    EXPECT_EQ(app().window<FinForm4>().Label1[2]->Caption(), "Credit Card");
}

// A maximized child window has no title bar or border of its own: it fills
// the area, its minimize and restore buttons (no close, it has none) sit at
// the right of the menu bar, and the window's title shows its caption.
TEST_F(FinanceWindowTest, AMaximizedChildWindowLendsItsButtonsAndCaptionToTheWindow) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    const QString caption = "Pursewell - " + dataPath("Home");
    finance.ViewT->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(list().subWindow()->geometry(), finance.area()->viewport()->rect());
    EXPECT_EQ(list().geometry(), list().subWindow()->rect()) << "no title bar or border";
    EXPECT_EQ(finance.windowTitle(), caption + " - [Transactions]");
    EXPECT_EQ(finance.Caption(), caption);

    QWidget* buttons = finance.menuBar()->cornerWidget(Qt::TopRightCorner);
    ASSERT_TRUE(buttons && buttons->isVisible());
    QStyleOptionComplex minimizeAndRestore;
    minimizeAndRestore.initFrom(buttons);
    minimizeAndRestore.subControls = QStyle::SC_MdiMinButton | QStyle::SC_MdiNormalButton;
    EXPECT_EQ(buttons->sizeHint(),
              buttons->style()->sizeFromContents(QStyle::CT_MdiControls, &minimizeAndRestore, {}, buttons));

    QTest::mouseClick(buttons, Qt::LeftButton, {}, QPoint(buttons->width() - 4, buttons->height() / 2));  // restore
    QCoreApplication::processEvents();
    EXPECT_FALSE(list().isMaximizedState());
    EXPECT_GT(list().geometry().top(), 0) << "its own title bar again";
    EXPECT_EQ(finance.windowTitle(), caption);
    EXPECT_FALSE(buttons->isVisible());

    finance.ViewS->trigger();
    finance.Close->trigger();
    EXPECT_EQ(finance.windowTitle(), "Personal Finances");
}

// At the size the window opens with (also when the outer size is that size,
// as on a screen without a window manager), every control of each maximized
// child window shows whole, and a long transaction list scrolls only down.
TEST_F(FinanceWindowTest, AtTheFirstSizeEveryControlOfAMaximizedChildWindowShowsWhole) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    const auto grids = {list().MSFlexGrid1, app().window<FinForm9>().MSFlexGrid1};
    for (FlexGrid* grid : grids) grid->setRows(50);  // long enough to scroll down
    const QSize border = finance.frameGeometry().size() - finance.size();
    for (const QSize& size : {finance.size(), finance.size() - border}) {
        finance.resize(size);
        for (MdiChildForm* child : children()) {
            SCOPED_TRACE(qPrintable(child->objectName() + QStringLiteral(" at width %1").arg(size.width())));
            child->ShowMaximized();
            QCoreApplication::processEvents();
            const QRect workspace = finance.area()->viewport()->rect();
            for (QWidget* control : child->findChildren<QWidget*>()) {
                if (!dynamic_cast<Control*>(control) || !control->isVisibleTo(child)) continue;
                const QRect shown(control->mapTo(finance.area()->viewport(), QPoint(0, 0)), control->size());
                EXPECT_TRUE(workspace.contains(shown)) << qPrintable(control->objectName());
            }
        }
        for (FlexGrid* grid : grids)
            EXPECT_LE(grid->horizontalHeader()->length(), grid->viewport()->width()) << "no sideways scrolling";
    }
}

// The grids follow the window's size, but not while it is minimized, and a
// window smaller than their margins leaves them at nothing rather than below.
TEST_F(FinanceWindowTest, TheGridsFollowTheWindowsSizeExceptWhileItIsMinimized) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    FlexGrid* transactions = app().window<FinForm1>().MSFlexGrid1;
    FlexGrid* debitOrders = app().window<FinForm9>().MSFlexGrid1;
    // The outer size counts the window's border too.
    const QSize border = finance.frameGeometry().size() - finance.size();
    finance.resize(QSize(900, 600) - border);  // 13500 x 9000 twips outside
    QCoreApplication::processEvents();
    // The columns share 13015 twips less the border and the scroll bar, so
    // that a long list needs no sideways scrolling: 0.15, 0.23, 0.23, 0.15,
    // 0.15, 0.09; the same width as 0.18, 0.18, 0.38, 0.26.
    ASSERT_EQ(transactions->Width(), 13015);
    const double shared = 13015 - transactions->ScrollBarRoom();
    ASSERT_GT(transactions->ScrollBarRoom(), 115);
    auto expected = [&](std::initializer_list<double> shares) {
        QStringList widths;
        for (double share : shares) widths << QString::number(Conversions::roundHalfEven(shared * share));
        return widths;
    };
    EXPECT_EQ(columnWidths(transactions), expected({0.15, 0.23, 0.23, 0.15, 0.15, 0.09}));
    EXPECT_EQ(columnWidths(debitOrders), expected({0.18, 0.18, 0.38, 0.26}));

    finance.showMinimized();
    finance.resize(QSize(600, 400) - border);
    QCoreApplication::processEvents();
    EXPECT_EQ(debitOrders->Height(), 6700) << "nothing changes while minimized";
    finance.showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(debitOrders->Height(), 3700);

    finance.setMinimumSize(1, 1);
    finance.resize(20, 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(debitOrders->Height(), 0);
    EXPECT_EQ(columnWidths(transactions), QStringList({"0", "0", "0", "0", "0", "0"}));
}

// While Account Settings or Add Debit Order is open, the finance window takes
// no input and its close box does nothing; the tool window stays usable. When
// the tool window goes, by any way out, the child window that was active is
// active again, with the focus where it was.
TEST_F(FinanceWindowTest, TheLockHoldsAgainstTheCloseBoxAndGivesBackTheActiveChild) {
    createPortfolio(QStringLiteral("Home"));
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    FinForm9& debitOrders = app().window<FinForm9>();
    finance.DOrders->trigger();
    finance.RenameAccount->trigger();
    auto settings = [] { return &app().window<FinForm5>(); };
    auto addDebitOrder = [] { return &app().window<FinForm8>(); };
    auto addFor = [&](int account) {
        debitOrders.Combo1->pick(account);
        click(debitOrders.Command1);
    };
    // The menu item leaves the focus in the account box, a click on "Add" on the button.
    const std::tuple<const char*, std::function<void()>, std::function<void()>, QWidget*> ways[] = {
        {"Account Settings, Cancel", [&] { finance.ASetup->trigger(); }, [&] { click(settings()->Command2); },
         debitOrders.Combo1},
        {"Account Settings, OK", [&] { finance.ASetup->trigger(); }, [&] { click(settings()->Command1); },
         debitOrders.Combo1},
        {"Account Settings, close box", [&] { finance.ASetup->trigger(); }, [&] { settings()->close(); },
         debitOrders.Combo1},
        {"Add Debit Order, Cancel", [&] { addFor(0); }, [&] { click(addDebitOrder()->Command2); }, debitOrders.Command1},
        {"Add Debit Order, close box", [&] { addFor(0); }, [&] { addDebitOrder()->close(); }, debitOrders.Command1}};
    for (const auto& [name, open, leave, focused] : ways) {
        SCOPED_TRACE(name);
        finance.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&finance));
        debitOrders.Combo1->setFocus();
        open();
        QCoreApplication::processEvents();
        ASSERT_TRUE(financeLocked());
        EXPECT_FALSE(finance.menuBar()->isEnabled());
        EXPECT_FALSE(finance.Toolbar1->isEnabled());
        EXPECT_FALSE(app().window<FinDialog>().isEnabled()) << "nor do the other tool windows";

        EXPECT_FALSE(finance.close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(finance.isVisible());
        EXPECT_TRUE(portfolioOpen());
        EXPECT_EQ(active(finance), debitOrders.subWindow());

        leave();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(financeLocked());
        finance.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&finance));
        EXPECT_EQ(active(finance), debitOrders.subWindow());
        EXPECT_TRUE(focused->hasFocus());
        EXPECT_TRUE(app().window<FinDialog>().isEnabled());
    }
    EXPECT_TRUE(finance.close()) << "unlocked, the close box works";
}

using FinanceDialogsTest = HomePortfolioTest;

// Each time a finance dialog shows, the keyboard starts in its first input,
// wherever the user left it the time before.
TEST_F(FinanceDialogsTest, EachShowingStartsWithTheKeyboardInTheFirstInput) {
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    FinForm3& create = app().window<FinForm3>();
    FinDialog& renameAccount = app().window<FinDialog>();
    FinDialog1& renameCategory = app().window<FinDialog1>();
    const std::tuple<QAction*, Form*, QWidget*, CommandButton*> dialogs[] = {
        {finance.New, &create, create.Text1, create.Command2},
        {finance.RenameAccount, &renameAccount, renameAccount.Combo1, renameAccount.CancelButton},
        {finance.ChangeCategory, &renameCategory, renameCategory.Combo1, renameCategory.CancelButton}};
    for (const auto& [command, dialog, first, cancel] : dialogs) {
        for (int showing = 1; showing <= 2; ++showing) {
            SCOPED_TRACE(qPrintable(dialog->objectName() + QStringLiteral(", showing %1").arg(showing)));
            command->trigger();
            ASSERT_TRUE(waitForKeys(*dialog));
            EXPECT_TRUE(first->hasFocus());
            cancel->setFocus(Qt::TabFocusReason);  // the user tabs to "Cancel" and presses Space
            QTest::keyClick(cancel, Qt::Key_Space);
            ASSERT_FALSE(dialog->isVisible());
            WindowManager::focus(finance);  // as the dialog goes
        }
    }
}

class FinanceToolWindowsTest : public HomePortfolioTest {
protected:
    // A transaction and a debit order of the first account, listed.
    void storeOneOfEach() {
        storeTransaction(1, 1, QDate(2024, 1, 10), "-1");
        storeTransactionCount(1, 1);
        storeDebitOrder(1, 1, QDate(2024, 1, 5), QDate(2024, 2, 5), "Insurance", "30");
        storeDebitOrderCount(1, 1);
        refill();
    }
};

// The tool windows and dialogs of the finance window belong to it on the
// window system: they stay in front of it and come to the front with it. They
// are not its child windows: they outlive it, and the next finance window
// owns them when it opens them again.
TEST_F(FinanceToolWindowsTest, BelongToTheFinanceWindowAndOutliveIt) {
    storeOneOfEach();
    FinMDIForm1* finance = &app().window<FinMDIForm1>();
    FinForm9& debitOrders = app().window<FinForm9>();
    std::vector<std::pair<std::function<void()>, std::function<QWidget*()>>> opened = {
        {[&] { finance->New->trigger(); }, [] { return &app().window<FinForm3>(); }},
        {[&] { finance->RenameAccount->trigger(); }, [] { return &app().window<FinDialog>(); }},
        {[&] { finance->ChangeCategory->trigger(); }, [] { return &app().window<FinDialog1>(); }},
        {[&] {
             clickRow(rowOf("1-1"));
             click(list().Command2);
         },
         [] { return &app().window<FinDialog2>(); }},
        {[&] { enterTransaction(0, "Food", "Bread", "2", false, QDate(2024, 1, 11)); },
         [] { return &app().window<FinForm7>(); }},
        {[&] { finance->ASetup->trigger(); }, [] { return &app().window<FinForm5>(); }},
        {[&] {
             click(app().window<FinForm5>().Command2);
             finance->DOrders->trigger();
             debitOrders.Combo1->pick(0);
             click(debitOrders.Command1);
         },
         [] { return &app().window<FinForm8>(); }},
        {[&] {
             click(app().window<FinForm8>().Command2);
             clickRow(2, debitOrders.MSFlexGrid1);
             click(debitOrders.Command2);
         },
         [] { return &app().window<FinDialog3>(); }}};
    for (const auto& [open, window] : opened) {
        open();
        SCOPED_TRACE(qPrintable(window()->objectName()));
        EXPECT_EQ(ownerOf(*window()), finance->windowHandle());
    }
    click(app().window<FinDialog3>().CancelButton);

    finance->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(app().existingWindow<FinMDIForm1>());
    for (QWidget* dialog : std::initializer_list<QWidget*>{&app().window<FinForm3>(), &app().window<FinDialog>(),
                                                           &app().window<FinDialog2>()}) {
        EXPECT_TRUE(dialog->isVisible()) << qPrintable(dialog->objectName());
        EXPECT_EQ(ownerOf(*dialog), nullptr);
    }
    finance = &openFinance();
    finance->RenameAccount->trigger();
    EXPECT_EQ(ownerOf(app().window<FinDialog>()), finance->windowHandle());
}

// While Account Settings or a debit-order dialog is open, no other finance
// window can change the portfolio under it: every other tool
// window and dialog shows that it takes no input, and a click on its button
// does nothing (New Portfolio's Save would switch the portfolio and leave
// Account Settings on none). The holder's own way out then does its work,
// and the others take input again.
TEST_F(FinanceToolWindowsTest, TheLockHoldsEveryOtherToolWindowAndDialog) {
    storeOneOfEach();
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    FinForm9& debitOrders = app().window<FinForm9>();
    FinForm3& newPortfolio = app().window<FinForm3>();
    FinDialog& renameAccount = app().window<FinDialog>();
    FinDialog1& changeCategory = app().window<FinDialog1>();
    FinDialog2& editEntry = app().window<FinDialog2>();
    // Each of them filled in as for its change, and its button.
    const std::vector<std::pair<Form*, CommandButton*>> others = {{&newPortfolio, newPortfolio.Command1},
                                                                  {&renameAccount, renameAccount.OKButton},
                                                                  {&changeCategory, changeCategory.OKButton},
                                                                  {&editEntry, editEntry.OKButton}};
    auto openOthers = [&] {
        finance.New->trigger();
        retype(newPortfolio.Text1, QStringLiteral("Other"));
        finance.RenameAccount->trigger();
        renameAccount.Combo1->pick(0);
        retype(renameAccount.Text1, QStringLiteral("Cash"));
        finance.ChangeCategory->trigger();
        changeCategory.Combo1->pick(1);
        retype(changeCategory.Text1, QStringLiteral("Groceries"));
        finance.ViewT->trigger();
        clickRow(rowOf("1-1"));
        click(list().Command2);
        retype(editEntry.Text2, QStringLiteral("-5"));
    };
    const std::tuple<const char*, std::function<Form*()>, std::function<void()>, std::function<void()>> holders[] = {
        {"Account Settings",
         [&] {
             finance.ASetup->trigger();
             return &app().window<FinForm5>();
         },
         [&] {
             FinForm5& settings = app().window<FinForm5>();
             click(settings.Check1);
             retype(settings.Text1, QStringLiteral("5000"));
             click(settings.Command1);
         },
         [&] { EXPECT_EQ(storedMoney(pwb("Home"), 26), "5000"); }},
        {"Add Debit Order",
         [&] {
             debitOrders.ShowMaximized();
             debitOrders.Combo1->pick(0);
             click(debitOrders.Command1);
             return &app().window<FinForm8>();
         },
         [&] {
             FinForm8& add = app().window<FinForm8>();
             add.DTPicker1->pick(QDate(2024, 1, 20));
             add.DTPicker2->pick(QDate(2024, 6, 20));
             retype(add.Text1, QStringLiteral("Rent"));
             retype(add.Text2, QStringLiteral("700"));
             click(add.Command1);
         },
         [&] { EXPECT_EQ(storedString(account(1), 18), "Rent"); }}};
    for (const auto& [name, open, leave, left] : holders) {
        SCOPED_TRACE(name);
        openOthers();
        messages->texts.clear();
        Form* holder = open();
        ASSERT_TRUE(holder->isVisible());
        EXPECT_TRUE(holder->isEnabled());
        const std::map<QString, QByteArray> files = folderFiles();
        for (const auto& [other, button] : others) {
            SCOPED_TRACE(qPrintable(other->objectName()));
            EXPECT_TRUE(other->isVisible());
            EXPECT_FALSE(other->isEnabled());
            click(button);
            EXPECT_TRUE(other->isVisible());
        }
        EXPECT_EQ(folderFiles(), files);
        EXPECT_TRUE(portfolioOpen());
        EXPECT_EQ(finance.Caption(), "Pursewell - " + dataPath("Home"));
        EXPECT_TRUE(messages->texts.isEmpty()) << messages->texts.join('\n').toStdString();

        leave();
        EXPECT_FALSE(holder->isVisible());
        left();
        EXPECT_FALSE(financeLocked());
        for (const auto& [other, button] : others) {
            EXPECT_TRUE(other->isEnabled()) << qPrintable(other->objectName());
            other->hide();
        }
    }
}

}  // namespace
