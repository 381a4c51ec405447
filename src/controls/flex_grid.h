#pragma once
#include <QTableView>
#include <vector>

#include "controls/control.h"

class FlexGridModel;

// A grid of text cells addressed by row and column from 0. The cells live in
// the grid; a table view shows them and scrolls where they do not fit.
//
// The top FixedRows rows and the left FixedCols columns are fixed: the user
// cannot select them. Row 0, when fixed, is drawn as the column header and
// stays in place while the rest scrolls.
//
// The current cell (Row, Col) and the far corner of the selection (RowSel,
// ColSel) are set by code or by the user. Setting Row or Col collapses the
// selection to the current cell. Events, raised by the user only (code moving
// the current cell runs nothing):
//   SelChange  the user changed the selection (click, drag, arrow keys);
//   Click      the user clicked a cell;
//   DblClick   the user double-clicked a cell;
//   LostFocus  the keyboard focus left the grid for another control; raised
//              when the event that moved the focus (a click elsewhere) has
//              been handled.
//
// Colours are 0x00BBGGRR values; a cell back colour of 0 means the grid's
// default background, not black.
class FlexGrid : public QTableView, public Control {
    Q_OBJECT
    Q_PROPERTY(int Rows READ Rows WRITE setRows)
    Q_PROPERTY(int Cols READ Cols WRITE setCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE setFixedRows)
    Q_PROPERTY(int Row READ Row WRITE setRow)
    Q_PROPERTY(int Col READ Col WRITE setCol)
    Q_PROPERTY(int RowSel READ RowSel WRITE setRowSel)
    Q_PROPERTY(int ColSel READ ColSel WRITE setColSel)
    Q_PROPERTY(QString Text READ Text WRITE setText)
public:
    FlexGrid(QWidget* parent, const QString& name, int rows, int cols, int fixedRows, int fixedCols);
    ~FlexGrid() override;

    int Rows() const { return rows_; }
    // Lowering the count drops rows from the bottom in one go; new rows are empty.
    void setRows(int rows);
    int Cols() const { return cols_; }
    void setCols(int cols);
    int FixedRows() const { return fixedRows_; }
    // Needs a non-fixed row below the fixed ones; the grid may shrink to its
    // fixed rows afterwards.
    void setFixedRows(int fixedRows);
    int FixedCols() const { return fixedCols_; }

    // Any cell, fixed ones included; the current cell does not move.
    Q_INVOKABLE QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, QString text);

    int Row() const { return row_; }
    void setRow(int row);
    int Col() const { return col_; }
    void setCol(int col);
    int RowSel() const { return rowSel_; }
    void setRowSel(int row);
    int ColSel() const { return colSel_; }
    void setColSel(int col);

    // The current cell's text and colours.
    QString Text() const { return TextMatrix(row_, col_); }
    void setText(QString text) { setTextMatrix(row_, col_, std::move(text)); }
    Q_INVOKABLE quint32 CellBackColor() const;
    void setCellBackColor(quint32 colorValue);
    Q_INVOKABLE quint32 CellForeColor() const;
    void setCellForeColor(quint32 colorValue);

    // Appends a row with the text in column 0; the current cell does not move.
    void AddItem(const QString& text);
    // Removes the row; the rows below move up one.
    void RemoveItem(int row);
    // Empties every cell's text, fixed cells included, and drops cell colours;
    // rows, columns, fixed rows and column widths stay.
    void Clear();

    // Sort = 1: sorts the selected rows (Row to RowSel) whole, ascending, keyed
    // on the current column: empty keys first, then keys that read as numbers
    // by value, then the others as text; rows with equal keys keep their order.
    enum SortSetting { GenericAscending = 1 };
    void setSort(int setting);

    // Column width in twips.
    int ColWidth(int col) const;
    // What the grid's border and vertical scroll bar take of its width, in
    // twips: columns sharing the rest fit beside the scroll bar.
    int ScrollBarRoom() const;
    void setColWidth(int col, int twips);

    // One "|"-separated field per column: a leading "<" aligns the column
    // left, ">" right; the rest is the column's header text in row 0.
    QString FormatString() const { return formatString_; }
    void setFormatString(const QString& format);

signals:
    void Click();
    void DblClick();
    void SelChange();
    void LostFocus();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class FlexGridModel;

    struct Cell {
        QString text;
        quint32 backColor = 0;
        quint32 foreColor = 0;
    };
    // Row r, column c is cells_[front_ + r * cols_ + c]. Rows come and go at
    // the end, and a row removed near the top moves only the rows above it:
    // the cells in front of front_ are left empty, until they are half of
    // all. The cells keep their room when rows go, for the next ones.
    size_t at(int row, int col) const { return front_ + size_t(row) * size_t(cols_) + size_t(col); }
    Cell& cell(int row, int col) { return cells_[at(row, col)]; }
    const Cell& cell(int row, int col) const { return cells_[at(row, col)]; }
    auto rowBegin(int row) { return cells_.begin() + qsizetype(at(row, 0)); }

    // Row 0 shows in the header while it is fixed; the view's rows are the rest.
    int headerRows() const { return fixedRows_ > 0 ? 1 : 0; }
    int viewRow(int row) const { return row - headerRows(); }
    bool validCell(int row, int col) const { return row >= 0 && row < Rows() && col >= 0 && col < cols_; }
    bool isFixed(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }
    bool inUserSelection(int row, int col) const;

    // Cells, rows and columns change in the grid at once and in the view once
    // the program is back in the event loop (or the user acts on the grid):
    // one update however many cells changed or rows came and went.
    void shapeChanged();
    void viewChanged();
    void refreshView();
    // Puts the columns' widths on screen in whole pixels.
    void showColWidths();

    // The grid cell under a point of the viewport, or (-1, -1).
    QPoint cellAt(const QPoint& position) const;
    // A selection change made by the user: moves the current cell or, when
    // extending, only the far corner; raises SelChange when anything changed.
    void userSelect(int row, int col, bool extend);
    void selectionChanged();
    void showCurrentCell();

    FlexGridModel* model_;
    std::vector<Cell> cells_;
    size_t front_ = 0;
    int rows_ = 0;
    int cols_ = 0;
    int fixedRows_ = 0;
    int fixedCols_ = 0;
    int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
    std::vector<int> colWidths_;
    std::vector<Qt::Alignment> colAlignments_;
    QString formatString_;
    // The rows and columns the view knows of, and whether it shows the cells
    // as they are.
    int viewRows_ = 0, viewCols_ = 0;
    bool viewStale_ = false;
    bool refreshPosted_ = false;
    // The selection is highlighted only while it is the user's own.
    bool userSelection_ = false;
    bool clickPending_ = false;
    bool dragging_ = false;
};
