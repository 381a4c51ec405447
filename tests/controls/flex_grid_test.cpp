#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
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
    void show() {
        window->resize(600, 300);
        window->show();
        QCoreApplication::processEvents();
    }
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

TEST_F(FlexGridTest, AFixedRowIsTheHeaderAndNeedsARowBelowItWhenSet) {
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
    EXPECT_FALSE(notes->horizontalHeader()->isHidden());
    EXPECT_EQ(notes->model()->headerData(1, Qt::Horizontal).toString(), "Description");

    // Without fixed rows, row 0 is an ordinary row.
    FlexGrid* schedule = makeGrid(0, 35, 0);
    schedule->setRows(1);
    schedule->setTextMatrix(0, 0, QStringLiteral("Appointment"));
    schedule->AddItem(QStringLiteral("Dentist"));
    settle();
    EXPECT_TRUE(schedule->horizontalHeader()->isHidden());
    EXPECT_EQ(schedule->model()->index(0, 0).data().toString(), "Appointment");
    schedule->setFixedRows(1);
    settle();
    EXPECT_EQ(schedule->model()->rowCount(), 1);
    EXPECT_EQ(schedule->model()->index(0, 0).data().toString(), "Dentist");
}

TEST_F(FlexGridTest, RowsGoFromTheBottomAndTheTopOfALargeGridInOneViewUpdate) {
    FlexGrid* grid = makeGrid(2, 6, 1);
    grid->setTextMatrix(1, 4, QStringLiteral("total"));
    grid->setRow(1);
    grid->setCol(3);
    for (int i = 0; i < 20000; ++i) grid->AddItem(QString::number(i));
    EXPECT_EQ(grid->TextMatrix(2, 0), "0");
    EXPECT_EQ(grid->TextMatrix(2, 1), "");
    EXPECT_EQ(grid->Row(), 1) << "AddItem leaves the current cell";
    EXPECT_EQ(grid->Col(), 3);
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
    EXPECT_EQ(grid->TextMatrix(1, 4), "total");
    settle();
    EXPECT_EQ(grid->model()->rowCount(), 1);
}

TEST_F(FlexGridTest, ColoursBelongToTheCurrentCellAndClearDropsThemWithTheTexts) {
    FlexGrid* grid = makeGrid(3, 35, 0);
    grid->setColWidth(0, 3000);
    grid->setRow(1);
    grid->setCol(5);
    grid->setCellBackColor(0xFF0000);
    grid->setCol(6);
    grid->setCellBackColor(0xFF0000);
    grid->setCellBackColor(0);
    grid->setRow(2);
    grid->setCol(0);
    grid->setCellBackColor(0xFFFF80);
    grid->setCellForeColor(0xC00000);

    grid->setRow(1);
    grid->setCol(5);
    EXPECT_EQ(grid->CellBackColor(), 0xFF0000u);
    grid->setCol(6);
    EXPECT_EQ(grid->CellBackColor(), 0u);
    settle();
    const QAbstractItemModel* model = grid->model();
    EXPECT_EQ(model->index(1, 5).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 0, 255));
    EXPECT_FALSE(model->index(1, 6).data(Qt::BackgroundRole).isValid()) << "0 is the default background";
    EXPECT_EQ(model->index(2, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(128, 255, 255));
    EXPECT_EQ(model->index(2, 0).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 192));

    FlexGrid* table = makeGrid(2, 6, 1, 1);
    table->setTextMatrix(0, 1, QStringLiteral("Reminder Hour"));
    table->setTextMatrix(1, 0, QStringLiteral("1"));
    for (FlexGrid* cleared : {grid, table}) cleared->Clear();
    settle();
    EXPECT_EQ(grid->ColWidth(0), 3000);
    grid->setCol(5);
    EXPECT_EQ(grid->CellBackColor(), 0u);
    EXPECT_FALSE(model->index(2, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(column(table, 0) + column(table, 1), QStringList(4, QString())) << "fixed cells are emptied too";
    EXPECT_EQ(table->Rows(), 2);
    EXPECT_EQ(table->FixedRows(), 1);
}

TEST_F(FlexGridTest, SortOrdersTheSelectedRowsStablyAndLeavesTheOthers) {
    FlexGrid* grid = makeGrid(2, 6, 1);
    grid->setRow(1);
    grid->setCol(4);
    grid->setText(QStringLiteral("0"));
    grid->setCellBackColor(0xFFFF80);
    const QStringList keys = {"20040305", "", "20031231", "20040305", "20040101", "20031231"};
    for (int i = 0; i < keys.size(); ++i) {
        grid->AddItem(keys[i]);
        grid->setTextMatrix(grid->Rows() - 1, 2, QStringLiteral("entry %1").arg(i));
    }
    grid->setRow(2);
    grid->setCol(2);
    grid->setCellBackColor(0xFF);  // moves with its row

    grid->setCol(0);
    grid->setColSel(0);
    grid->setRow(2);
    grid->setRowSel(grid->Rows() - 1);
    grid->setSort(FlexGrid::GenericAscending);

    EXPECT_EQ(column(grid, 0), (QStringList{"", "", "", "20031231", "20031231", "20040101", "20040305", "20040305"}));
    EXPECT_EQ(column(grid, 2),
              (QStringList{"", "", "entry 1", "entry 2", "entry 5", "entry 4", "entry 0", "entry 3"}));
    grid->setRow(1);
    grid->setCol(4);
    EXPECT_EQ(grid->Text(), "0");
    EXPECT_EQ(grid->CellBackColor(), 0xFFFF80u) << "row 1 stays outside the selection";
    grid->setRow(6);
    grid->setCol(2);
    EXPECT_EQ(grid->CellBackColor(), 0xFFu);

    FlexGrid* numbers = makeGrid(1, 1, 1);
    for (const char* key : {"10", "9", "100"}) numbers->AddItem(QString::fromLatin1(key));
    numbers->setRow(1);
    numbers->setRowSel(3);
    numbers->setSort(FlexGrid::GenericAscending);
    EXPECT_EQ(column(numbers, 0), (QStringList{"", "9", "10", "100"})) << "numbers compare as numbers";
}

TEST_F(FlexGridTest, FormatStringGivesColumnsHeadersAndAlignment) {
    FlexGrid* grid = makeGrid(2, 2, 1);
    grid->setFormatString(QStringLiteral("<Date |<Category |<Description |>Amount |>Balance |> ID "));
    settle();
    EXPECT_EQ(grid->Cols(), 6);
    EXPECT_EQ(grid->TextMatrix(0, 0), "Date ");
    EXPECT_EQ(grid->TextMatrix(0, 5), " ID ");
    const auto alignment = [grid](int col) {
        return Qt::Alignment(grid->model()->index(0, col).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(0), Qt::AlignLeft);
    EXPECT_EQ(alignment(3), Qt::AlignRight);
}

TEST_F(FlexGridTest, OnlyTheUserRaisesSelChangeClickAndDblClick) {
    FlexGrid* grid = makeGrid(1, 2, 1);
    for (int i = 1; i <= 3; ++i) grid->AddItem(QString::number(i));
    show();
    QSignalSpy selChange(grid, &FlexGrid::SelChange);
    QSignalSpy click(grid, &FlexGrid::Click);
    QSignalSpy dblClick(grid, &FlexGrid::DblClick);

    grid->setRow(2);
    grid->setCol(1);
    grid->setRowSel(3);
    EXPECT_EQ(selChange.count(), 0) << "code moving the current cell runs nothing";

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, 3, 1));
    EXPECT_EQ(QPoint(grid->Col(), grid->Row()), QPoint(1, 3));
    EXPECT_EQ(grid->RowSel(), 3);
    EXPECT_EQ(selChange.count(), 1);
    EXPECT_EQ(click.count(), 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, 3, 1));
    EXPECT_EQ(selChange.count(), 1) << "the same cell again is no change";
    EXPECT_EQ(click.count(), 2);

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(grid, 1, 0));
    EXPECT_EQ(QPoint(grid->Col(), grid->Row()), QPoint(1, 3));
    EXPECT_EQ(QPoint(grid->ColSel(), grid->RowSel()), QPoint(0, 1));

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
}

TEST_F(FlexGridTest, LostFocusWhenAnotherControlTakesTheKeyboard) {
    FlexGrid* grid = makeGrid(2, 4, 1);
    auto* other = new QLineEdit(window.get());
    other->move(0, 250);
    show();
    QSignalSpy lostFocus(grid, &FlexGrid::LostFocus);
    grid->setFocus(Qt::MouseFocusReason);
    other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(lostFocus.count(), 0) << "raised after the event that moved the focus";
    settle();
    EXPECT_EQ(lostFocus.count(), 1);
}

TEST_F(FlexGridTest, ColumnsThatDoNotFitScrollAndTheKeyboardBringsThemIntoView) {
    FlexGrid* grid = makeGrid(2, 35, 0);
    grid->Move(120, 120, 7815, 3135);
    grid->setColWidth(0, 3000);
    for (int c = 1; c < 35; ++c) grid->setColWidth(c, 500);
    show();
    EXPECT_GT(grid->horizontalScrollBar()->maximum(), 0);

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, 1, 1));
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(grid->Col(), 34);
    EXPECT_TRUE(grid->viewport()->rect().intersects(grid->visualRect(grid->model()->index(1, 34))));
}

}  // namespace
