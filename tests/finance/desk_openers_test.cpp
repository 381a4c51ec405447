#include <gtest/gtest.h>

#include <QTest>

#include "desk/module2.h"
#include "finance/finance_window.h"
#include "support/desk_start.h"
#include "support/double_click.h"

namespace {

class DeskOpensFinanceTest : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        desk = &startDesk();
    }
    // The finance window as the opener left it, then minimized for the next opener.
    void expectOpenedAndMinimize(const char* opener) {
        FinMDIForm1* finance = app().existingWindow<FinMDIForm1>();
        ASSERT_TRUE(finance) << opener;
        EXPECT_TRUE(finance->isVisible()) << opener;
        EXPECT_FALSE(finance->windowState() & Qt::WindowMinimized) << opener;
        EXPECT_EQ(finance->Caption(), "Personal Finances") << opener;
        finance->showMinimized();
        ASSERT_TRUE(finance->windowState() & Qt::WindowMinimized);
    }
    Desk* desk = nullptr;
};

TEST_F(DeskOpensFinanceTest, TheMenuBothMoneyPicturesAndTheDrawerLabelOpenTheFinanceWindowAtNormalSize) {
    EXPECT_FALSE(app().existingWindow<FinMDIForm1>());
    desk->View_Fin->trigger();
    expectOpenedAndMinimize("menu");
    doubleClick(desk->Image42, {5, 5});
    expectOpenedAndMinimize("coins");
    doubleClick(desk->Image44, {5, 5});
    expectOpenedAndMinimize("ledger");
    QTest::mouseClick(desk->Command1, Qt::LeftButton);
    QTest::mouseClick(desk->Label1, Qt::LeftButton);
    expectOpenedAndMinimize("drawer label");
    EXPECT_EQ(Module2::drawerParts(Module2::Drawer::Finances).front->Top(), 2400) << "the drawer closed";
}

}  // namespace
