#include <gtest/gtest.h>

#include <QTest>
#include <functional>

#include "desk/module2.h"
#include "finance/finance_window.h"
#include "support/desk_start.h"
#include "support/double_click.h"

namespace {

class DeskOpensFinanceTest : public DeskTest {};

// The menu, both money pictures and the drawer label open the finance window
// at normal size (minimized again after each, for the next opener).
TEST_F(DeskOpensFinanceTest, EveryDeskOpenerShowsTheFinanceWindowAtNormalSize) {
    Desk& desk = startDesk();
    EXPECT_FALSE(app().existingWindow<FinMDIForm1>());
    const std::pair<const char*, std::function<void()>> openers[] = {
        {"menu", [&] { desk.View_Fin->trigger(); }},
        {"coins", [&] { doubleClick(desk.Image42, {5, 5}); }},
        {"ledger", [&] { doubleClick(desk.Image44, {5, 5}); }},
        {"drawer label", [&] {
             QTest::mouseClick(desk.Command1, Qt::LeftButton);
             QTest::mouseClick(desk.Label1, Qt::LeftButton);
         }}};
    for (const auto& [name, open] : openers) {
        open();
        FinMDIForm1* finance = app().existingWindow<FinMDIForm1>();
        ASSERT_TRUE(finance) << name;
        EXPECT_TRUE(finance->isVisible()) << name;
        EXPECT_FALSE(finance->windowState() & Qt::WindowMinimized) << name;
        finance->showMinimized();
    }
    EXPECT_EQ(Module2::drawerParts(Module2::Drawer::Finances).front->Top(), 2400) << "the drawer closed";
}

}  // namespace
