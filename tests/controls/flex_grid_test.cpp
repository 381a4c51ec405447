#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "controls/flex_grid.h"

namespace {

class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override { window = std::make_unique<QWidget>(); }

    FlexGrid* makeGrid(int rows, int cols, int fixedRows, int fixedCols = 0) {
        auto* grid = new FlexGrid(window.get(), QStringLiteral("MSFlexGrid1"), rows, cols, fixedRows, fixedCols);
        grid->Move(0, 0, 6000, 3000);
        return grid;
    }

    // The view follows the grid once the event loop runs.
    static void settle() { QCoreApplication::processEvents(); }

    // The centre of a cell in the viewport, where the user clicks it.
    static QPoint cellCentre(FlexGrid* grid, int row, int col) {
        return grid->visualRect(grid->model()->index(row - (grid->FixedRows() > 0 ? 1 : 0), col)).center();
    }

    static QStringList column(FlexGrid* grid, int col) {
        QStringList texts;
        for (int r = 0; r < grid->Rows(); ++r) texts << grid->TextMatrix(r, col);
        return texts;
    }

    std::unique_ptr<QWidget> window;
};

TEST_F(FlexGridTest, AFixedRowIsTheHeaderAndTheFormatStringFillsIt) {
    FlexGrid* notes = makeGrid(1, 2, 0);
    notes->setTextMatrix(0, 1, QStringLiteral("Description"));
    notes->setFixedRows(1);
    EXPECT_EQ(notes->FixedRows(), 0) << "no row below the one to fix";
    notes->setRows(2);
    notes->setFixedRows(1);
    notes->setRows(1);
    settle();
    EXPECT_EQ(notes->FixedRows(), 1);
    EXPECT_EQ(notes->model()->rowCount(), 0);
    EXPECT_EQ(notes->model()->headerData(1, Qt::Horizontal).toString(), "Description");

    // Without fixed rows, row 0 is an ordinary row.
    FlexGrid* schedule = makeGrid(1, 35, 0);
    schedule->setTextMatrix(0, 0, QStringLiteral("Appointment"));
    settle();
    EXPECT_TRUE(schedule->horizontalHeader()->isHidden());
    EXPECT_EQ(schedule->model()->index(0, 0).data().toString(), "Appointment");

    FlexGrid* grid = makeGrid(2, 2, 1);
    grid->setFormatString(QStringLiteral("<Date |<Category |<Description |>Amount |>Balance |> ID "));
    settle();
    const auto alignment = [grid](int col) {
        return Qt::Alignment(grid->model()->index(0, col).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(0), Qt::AlignLeft);
    EXPECT_EQ(alignment(3), Qt::AlignRight);
}

// Columns whose widths in twips add up to a width take no more whole pixels
// than that width, however each one rounds.
TEST_F(FlexGridTest, ColumnsTakeNoMorePixelsThanTheirTwipsTogether) {
    FlexGrid* grid = makeGrid(2, 6, 1);
    const int widths[] = {938, 1438, 1438, 938, 938, 562};  // 6252 twips: 416.8 pixels
    for (int c = 0; c < 6; ++c) grid->setColWidth(c, widths[c]);
    settle();
    EXPECT_EQ(grid->horizontalHeader()->length(), 416);
    EXPECT_EQ(grid->ColWidth(1), 1438);
}

TEST_F(FlexGridTest, RowsGoFromTheBottomAndTheTopOfALargeGridInOneViewUpdate) {
    FlexGrid* grid = makeGrid(2, 6, 1);
    grid->setTextMatrix(1, 4, QStringLiteral("total"));
    grid->setRow(1);
    grid->setCol(3);
    for (int i = 0; i < 20000; ++i) grid->AddItem(QString::number(i));
    EXPECT_EQ(QPoint(grid->Col(), grid->Row()), QPoint(3, 1)) << "AddItem leaves the current cell";
    settle();
    QSignalSpy removedFromView(grid->model(), &QAbstractItemModel::rowsRemoved);

    for (int i = 0; i < 5000; ++i) grid->RemoveItem(2);
    for (int i = 0; i < 5000; ++i) grid->RemoveItem(grid->Rows() - 1);
    ASSERT_EQ(grid->Rows(), 10002);
    EXPECT_EQ(grid->TextMatrix(1, 4), "total");
    EXPECT_EQ(grid->TextMatrix(2, 0), "5000");
    EXPECT_EQ(grid->TextMatrix(10001, 0), "14999");
    settle();
    EXPECT_EQ(removedFromView.count(), 1);
    EXPECT_EQ(grid->model()->rowCount(), 10001);

    grid->setRow(grid->Rows() - 1);
    grid->setRows(2);
    EXPECT_EQ(grid->Row(), 1) << "the current row stays inside the grid";
    settle();
    EXPECT_EQ(grid->model()->rowCount(), 1);
}

// Rows removed near the top leave room in front of the grid's cells; more
// rows, fewer rows and a clear afterwards see only the grid's rows.
TEST_F(FlexGridTest, RowsRemovedAtTheTopLeaveNoTraceInWhatFollows) {
    FlexGrid* grid = makeGrid(2, 3, 1);
    grid->setTextMatrix(1, 0, QStringLiteral("summary"));
    for (int i = 0; i < 10; ++i) grid->AddItem(QString::number(i));
    grid->setRow(7);  // "5"
    grid->setCol(1);
    grid->setCellBackColor(0xFF);
    for (int i = 0; i < 3; ++i) grid->RemoveItem(2);
    grid->RemoveItem(grid->Rows() - 2);  // "8"
    grid->AddItem(QStringLiteral("10"));
    grid->AddItem(QStringLiteral("11"));
    EXPECT_EQ(column(grid, 0), QStringList({"", "summary", "3", "4", "5", "6", "7", "9", "10", "11"}));
    grid->setRow(4);
    grid->setCol(1);
    EXPECT_EQ(grid->CellBackColor(), 0xFFu) << "the colour moves with its row";

    for (int i = 0; i < 5; ++i) grid->RemoveItem(2);
    EXPECT_EQ(column(grid, 0), QStringList({"", "summary", "9", "10", "11"}));
    grid->setRows(3);
    EXPECT_EQ(column(grid, 0), QStringList({"", "summary", "9"}));
    grid->setRows(5);
    EXPECT_EQ(column(grid, 0), QStringList({"", "summary", "9", "", ""}));
    grid->Clear();
    EXPECT_EQ(column(grid, 0), QStringList(5, QString()));
    EXPECT_EQ(grid->FixedRows(), 1);
}

// The transaction list sorts its rows by date keys (yyyymmdd, empty first):
// rows move whole with their colours, rows of one key keep their order, the
// rows outside the selection stay, and mixed keys still have one order.
TEST_F(FlexGridTest, SortOrdersTheSelectedRowsStablyAndLeavesTheOthers) {
    FlexGrid* grid = makeGrid(2, 3, 1);
    grid->setTextMatrix(1, 2, QStringLiteral("total"));
    const QStringList keys = {"20040305", "", "20031231", "20040305", "20040101", "20031231"};
    for (int i = 0; i < keys.size(); ++i) {
        grid->AddItem(keys[i]);
        grid->setTextMatrix(grid->Rows() - 1, 2, QStringLiteral("entry %1").arg(i));
    }
    grid->setRow(2);
    grid->setCol(2);
    grid->setCellBackColor(0xFF);
    grid->setCol(0);
    grid->setColSel(0);
    grid->setRowSel(grid->Rows() - 1);
    grid->setSort(FlexGrid::GenericAscending);
    EXPECT_EQ(column(grid, 0), (QStringList{"", "", "", "20031231", "20031231", "20040101", "20040305", "20040305"}));
    EXPECT_EQ(column(grid, 2),
              (QStringList{"", "total", "entry 1", "entry 2", "entry 5", "entry 4", "entry 0", "entry 3"}));
    grid->setRow(6);
    grid->setCol(2);
    EXPECT_EQ(grid->CellBackColor(), 0xFFu);

    FlexGrid* mixed = makeGrid(1, 1, 1);
    for (const char* key : {"b", "", "10", "a", "9", "", "-1.5", "10a"}) mixed->AddItem(QString::fromLatin1(key));
    mixed->setRow(1);
    mixed->setRowSel(mixed->Rows() - 1);
    mixed->setSort(FlexGrid::GenericAscending);
    EXPECT_EQ(column(mixed, 0), (QStringList{"", "", "", "-1.5", "9", "10", "10a", "a", "b"}));
}

// Colours are 0x00BBGGRR; 0 is the default background.
TEST_F(FlexGridTest, ColoursBelongToTheCurrentCellAndClearDropsThemWithTheTexts) {
    FlexGrid* grid = makeGrid(3, 35, 0);
    grid->setColWidth(0, 3000);
    grid->setRow(1);
    for (int col : {5, 6}) {
        grid->setCol(col);
        grid->setCellBackColor(0xFF0000);
    }
    grid->setCellBackColor(0);
    grid->setRow(2);
    grid->setCol(0);
    grid->setCellBackColor(0xFFFF80);
    grid->setCellForeColor(0xC00000);
    grid->setRow(1);
    grid->setCol(5);
    EXPECT_EQ(grid->CellBackColor(), 0xFF0000u);
    settle();
    const QAbstractItemModel* model = grid->model();
    EXPECT_EQ(model->index(1, 5).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 0, 255));
    EXPECT_FALSE(model->index(1, 6).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(model->index(2, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(128, 255, 255));
    EXPECT_EQ(model->index(2, 0).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 192));

    FlexGrid* table = makeGrid(2, 6, 1, 1);
    table->setTextMatrix(0, 1, QStringLiteral("Reminder Hour"));
    table->setTextMatrix(1, 0, QStringLiteral("1"));
    for (FlexGrid* cleared : {grid, table}) cleared->Clear();
    settle();
    EXPECT_EQ(grid->ColWidth(0), 3000);
    EXPECT_EQ(grid->CellBackColor(), 0u);
    EXPECT_FALSE(model->index(2, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(column(table, 0) + column(table, 1), QStringList(4, QString())) << "fixed cells are emptied too";
    EXPECT_EQ(table->FixedRows(), 1);
}

TEST_F(FlexGridTest, OnlyTheUserRaisesItsEvents) {
    FlexGrid* grid = makeGrid(1, 2, 1);
    for (int i = 1; i <= 3; ++i) grid->AddItem(QString::number(i));
    auto* other = new QLineEdit(window.get());
    other->move(0, 250);
    window->resize(600, 300);
    window->show();
    settle();
    QSignalSpy selChange(grid, &FlexGrid::SelChange);
    QSignalSpy click(grid, &FlexGrid::Click);
    QSignalSpy dblClick(grid, &FlexGrid::DblClick);
    QSignalSpy lostFocus(grid, &FlexGrid::LostFocus);
    const auto clickCell = [grid](int row, int col, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, keys, cellCentre(grid, row, col));
    };

    grid->setRow(2);
    grid->setCol(1);
    grid->setRowSel(3);  // code moving the current cell runs nothing
    for (int i = 0; i < 2; ++i) clickCell(3, 1);
    EXPECT_EQ(QPoint(grid->Col(), grid->Row()), QPoint(1, 3));
    EXPECT_EQ(grid->RowSel(), 3);
    EXPECT_EQ(selChange.count(), 1) << "the same cell again is no change";
    EXPECT_EQ(click.count(), 2);
    clickCell(1, 0, Qt::ShiftModifier);
    // The current cell stays; the selection reaches to the clicked one.
    EXPECT_EQ(QLine(grid->Col(), grid->Row(), grid->ColSel(), grid->RowSel()), QLine(1, 3, 0, 1));

    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, 2, 0));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, 2, 0));
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(dblClick.count(), 1);
    EXPECT_EQ(click.count(), 3) << "a double click's second release is no click";

    for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up}) QTest::keyClick(grid, Qt::Key(key));
    EXPECT_EQ(grid->Row(), 1) << "the header row cannot be reached";
    EXPECT_EQ(selChange.count(), 6);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(5, grid->viewport()->height() - 3));
    EXPECT_EQ(grid->Row(), 1) << "below the last row is no cell";
    EXPECT_EQ(click.count(), 3);

    grid->setFocus(Qt::MouseFocusReason);
    other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(lostFocus.count(), 0) << "raised after the event that moved the focus";
    settle();
    EXPECT_EQ(lostFocus.count(), 1);
}

}  // namespace
