#include <algorithm>

#include "common/application.h"
#include "common/conversions.h"
#include "finance/debit_orders_window.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"
#include "finance/transactions_window.h"

namespace FinModule {

namespace {
float atLeastZero(float twips) { return std::max(0.0f, twips); }

// The grid's columns share its width less the room its border and scroll bar
// take, so that a list longer than the window needs no sideways scrolling.
void shareColumns(FlexGrid& grid, float gridWidth, std::initializer_list<double> shares) {
    int col = 0;
    const int room = grid.ScrollBarRoom();
    for (double share : shares) {
        const double width = Conversions::roundHalfEven(double(gridWidth - room) * share);
        grid.setColWidth(col++, int(std::max(0.0, width)));
    }
}
}  // namespace

// Sizes the transaction and debit-order lists to the finance window; hidden
// child windows too, so that they fit when shown.
void LayoutFinanceWindows() {
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    if (!vars().PortfolioOpen || finance.isMinimizedState()) return;

    FinForm1& transactions = app().window<FinForm1>();
    transactions.Frame1->setWidth(atLeastZero(finance.OuterWidth() - 250));
    transactions.MSFlexGrid1->setWidth(atLeastZero(finance.OuterWidth() - 485));
    transactions.Frame1->setHeight(atLeastZero(finance.OuterHeight() - 1200));
    transactions.MSFlexGrid1->setHeight(atLeastZero(finance.OuterHeight() - 2500));
    const float gridWidth = transactions.MSFlexGrid1->Width();
    shareColumns(*transactions.MSFlexGrid1, gridWidth, {0.15, 0.23, 0.23, 0.15, 0.15, 0.09});

    FinForm9& debitOrders = app().window<FinForm9>();
    debitOrders.MSFlexGrid1->setWidth(atLeastZero(finance.OuterWidth() - 480));
    debitOrders.MSFlexGrid1->setHeight(atLeastZero(finance.OuterHeight() - 2300));
    shareColumns(*debitOrders.MSFlexGrid1, gridWidth, {0.18, 0.18, 0.38, 0.26});
}

}  // namespace FinModule
