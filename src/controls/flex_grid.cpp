#include "controls/flex_grid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <numeric>
#include <optional>

#include "common/conversions.h"
#include "common/twips.h"

namespace {
constexpr int DefaultColWidth = 960;  // twips
constexpr int RowHeight = 240;        // twips
constexpr Qt::Alignment DefaultAlignment = Qt::AlignLeft;
}  // namespace

// Shows the grid's cells to the table view. Row 0 goes to the header while it
// is fixed, so view row v is grid row v + headerRows().
class FlexGridModel : public QAbstractTableModel {
public:
    explicit FlexGridModel(FlexGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : grid_->viewRows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : grid_->viewCols_; }

    QVariant data(const QModelIndex& index, int role) const override {
        const int row = index.row() + grid_->headerRows();
        const int col = index.column();
        if (!grid_->validCell(row, col)) return {};
        const FlexGrid::Cell& cell = grid_->cell(row, col);
        const bool selected = grid_->inUserSelection(row, col);
        switch (role) {
        case Qt::DisplayRole: return cell.text;
        case Qt::TextAlignmentRole: return QVariant::fromValue(grid_->colAlignments_[size_t(col)] | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (selected) return grid_->palette().brush(QPalette::Highlight);
            if (cell.backColor != 0) return QBrush(colorFromValue(cell.backColor));
            if (grid_->isFixed(row, col)) return grid_->palette().brush(QPalette::Button);
            return {};
        case Qt::ForegroundRole:
            if (selected) return grid_->palette().brush(QPalette::HighlightedText);
            if (cell.foreColor != 0) return QBrush(colorFromValue(cell.foreColor));
            return {};
        default: return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || grid_->headerRows() == 0 || !grid_->validCell(0, section)) return {};
        const FlexGrid::Cell& cell = grid_->cell(0, section);
        switch (role) {
        case Qt::DisplayRole: return cell.text;
        case Qt::TextAlignmentRole: return QVariant::fromValue(grid_->colAlignments_[size_t(section)] | Qt::AlignVCenter);
        case Qt::BackgroundRole: return cell.backColor != 0 ? QVariant(QBrush(colorFromValue(cell.backColor))) : QVariant();
        case Qt::ForegroundRole: return cell.foreColor != 0 ? QVariant(QBrush(colorFromValue(cell.foreColor))) : QVariant();
        default: return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex&) const override { return Qt::ItemIsEnabled; }

    // Brings the view's rows and columns to the grid's: whatever came or went
    // is told as one change at the end.
    void reshape(int rows, int cols) {
        if (rows > grid_->viewRows_) {
            beginInsertRows({}, grid_->viewRows_, rows - 1);
            grid_->viewRows_ = rows;
            endInsertRows();
        } else if (rows < grid_->viewRows_) {
            beginRemoveRows({}, rows, grid_->viewRows_ - 1);
            grid_->viewRows_ = rows;
            endRemoveRows();
        }
        if (cols > grid_->viewCols_) {
            beginInsertColumns({}, grid_->viewCols_, cols - 1);
            grid_->viewCols_ = cols;
            endInsertColumns();
        } else if (cols < grid_->viewCols_) {
            beginRemoveColumns({}, cols, grid_->viewCols_ - 1);
            grid_->viewCols_ = cols;
            endRemoveColumns();
        }
    }

    // Every cell may show something else.
    void allChanged() {
        if (grid_->viewCols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, grid_->viewCols_ - 1);
        if (grid_->viewRows_ > 0 && grid_->viewCols_ > 0)
            emit dataChanged(index(0, 0), index(grid_->viewRows_ - 1, grid_->viewCols_ - 1));
    }

private:
    FlexGrid* grid_;
};

FlexGrid::FlexGrid(QWidget* parent, const QString& name, int rows, int cols, int fixedRows, int fixedCols)
    : QTableView(parent), Control(this, name), model_(new FlexGridModel(this)) {
    cols_ = std::max(cols, 0);
    rows_ = std::max(rows, 0);
    cells_.resize(size_t(rows_) * size_t(cols_));
    fixedRows_ = std::clamp(fixedRows, 0, Rows());
    fixedCols_ = std::clamp(fixedCols, 0, cols_);
    colWidths_.assign(size_t(cols_), DefaultColWidth);
    colAlignments_.assign(size_t(cols_), DefaultAlignment);
    viewRows_ = Rows() - headerRows();
    viewCols_ = cols_;

    setModel(model_);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setAutoScroll(false);  // code moving the current cell does not scroll; the user's moves do
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setFocusPolicy(Qt::StrongFocus);

    QHeaderView* rowsHeader = verticalHeader();
    rowsHeader->hide();
    rowsHeader->setMinimumSectionSize(1);
    rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowsHeader->setDefaultSectionSize(Twips::toPixels(RowHeight));

    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setDefaultSectionSize(Twips::toPixels(DefaultColWidth));
    header->setFixedHeight(Twips::toPixels(RowHeight) + 1);
    header->setVisible(headerRows() > 0);
    selectionChanged();
}

FlexGrid::~FlexGrid() = default;

// ---- structure -------------------------------------------------------------

void FlexGrid::setRows(int rows) {
    rows = std::max(rows, 0);
    if (rows == Rows()) return;
    rows_ = rows;
    cells_.resize(front_ + size_t(rows) * size_t(cols_));
    cells_.erase(cells_.begin(), cells_.begin() + qsizetype(front_));
    front_ = 0;
    fixedRows_ = std::min(fixedRows_, rows);  // a grid shrinking into its fixed rows takes them along
    shapeChanged();
}

void FlexGrid::setCols(int cols) {
    cols = std::max(cols, 0);
    if (cols == cols_) return;
    std::vector<Cell> reshaped(size_t(rows_) * size_t(cols));
    for (int r = 0; r < rows_; ++r)
        std::move(rowBegin(r), rowBegin(r) + std::min(cols, cols_), reshaped.begin() + qsizetype(r) * cols);
    cells_.swap(reshaped);
    front_ = 0;
    colWidths_.resize(size_t(cols), DefaultColWidth);
    colAlignments_.resize(size_t(cols), DefaultAlignment);
    cols_ = cols;
    fixedCols_ = std::min(fixedCols_, cols_);
    shapeChanged();
}

void FlexGrid::setFixedRows(int fixedRows) {
    fixedRows = std::max(fixedRows, 0);
    if (fixedRows == fixedRows_) return;
    if (fixedRows > 0 && fixedRows >= Rows()) {
        qWarning("FlexGrid %s: %d fixed rows need a row below them", qPrintable(objectName()), fixedRows);
        return;
    }
    fixedRows_ = fixedRows;
    shapeChanged();
}

void FlexGrid::AddItem(const QString& text) {
    cells_.resize(cells_.size() + size_t(cols_));
    ++rows_;
    if (cols_ > 0) cell(rows_ - 1, 0).text = text;
    shapeChanged();
}

void FlexGrid::RemoveItem(int row) {
    if (row < 0 || row >= Rows()) return;
    if (row < Rows() / 2) {
        // The rows above move down one; the first row's cells are left empty
        // in front of the grid.
        std::move_backward(rowBegin(0), rowBegin(row), rowBegin(row + 1));
        std::fill(rowBegin(0), rowBegin(1), Cell());
        front_ += size_t(cols_);
        if (front_ > cells_.size() / 2) {
            cells_.erase(cells_.begin(), cells_.begin() + qsizetype(front_));
            front_ = 0;
        }
    } else {
        std::move(rowBegin(row + 1), cells_.end(), rowBegin(row));
        cells_.resize(cells_.size() - size_t(cols_));
    }
    --rows_;
    fixedRows_ = std::min(fixedRows_, Rows());
    shapeChanged();
}

void FlexGrid::shapeChanged() {
    viewStale_ = true;
    selectionChanged();
    viewChanged();
}

void FlexGrid::viewChanged() {
    viewStale_ = true;
    if (refreshPosted_) return;
    refreshPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            refreshPosted_ = false;
            refreshView();
        },
        Qt::QueuedConnection);
}

void FlexGrid::refreshView() {
    if (!viewStale_) return;
    viewStale_ = false;
    model_->reshape(Rows() - headerRows(), cols_);
    showColWidths();
    horizontalHeader()->setVisible(headerRows() > 0);
    model_->allChanged();
    selectionChanged();
}

// ---- cells -----------------------------------------------------------------

QString FlexGrid::TextMatrix(int row, int col) const {
    return validCell(row, col) ? cell(row, col).text : QString();
}

void FlexGrid::setTextMatrix(int row, int col, QString text) {
    if (!validCell(row, col)) return;
    cell(row, col).text = std::move(text);
    viewChanged();
}

quint32 FlexGrid::CellBackColor() const {
    return validCell(row_, col_) ? cell(row_, col_).backColor : 0;
}

void FlexGrid::setCellBackColor(quint32 colorValue) {
    if (!validCell(row_, col_)) return;
    cell(row_, col_).backColor = colorValue;
    viewChanged();
}

quint32 FlexGrid::CellForeColor() const {
    return validCell(row_, col_) ? cell(row_, col_).foreColor : 0;
}

void FlexGrid::setCellForeColor(quint32 colorValue) {
    if (!validCell(row_, col_)) return;
    cell(row_, col_).foreColor = colorValue;
    viewChanged();
}

void FlexGrid::Clear() {
    std::fill(cells_.begin() + qsizetype(front_), cells_.end(), Cell());
    viewChanged();
}

// ---- current cell and selection -------------------------------------------

void FlexGrid::setRow(int row) {
    if (row < 0 || row >= Rows()) return;
    row_ = rowSel_ = row;
    userSelection_ = false;
    selectionChanged();
}

void FlexGrid::setCol(int col) {
    if (col < 0 || col >= cols_) return;
    col_ = colSel_ = col;
    userSelection_ = false;
    selectionChanged();
}

void FlexGrid::setRowSel(int row) {
    if (row < 0 || row >= Rows()) return;
    rowSel_ = row;
    userSelection_ = false;
    selectionChanged();
}

void FlexGrid::setColSel(int col) {
    if (col < 0 || col >= cols_) return;
    colSel_ = col;
    userSelection_ = false;
    selectionChanged();
}

bool FlexGrid::inUserSelection(int row, int col) const {
    return userSelection_ && row >= std::min(row_, rowSel_) && row <= std::max(row_, rowSel_) &&
           col >= std::min(col_, colSel_) && col <= std::max(col_, colSel_);
}

// Keeps the current cell inside the grid and shows it in the view.
void FlexGrid::selectionChanged() {
    const int lastRow = std::max(Rows() - 1, 0);
    const int lastCol = std::max(cols_ - 1, 0);
    row_ = std::clamp(row_, 0, lastRow);
    rowSel_ = std::clamp(rowSel_, 0, lastRow);
    col_ = std::clamp(col_, 0, lastCol);
    colSel_ = std::clamp(colSel_, 0, lastCol);
    if (viewStale_) return;  // the refresh comes back here
    const QModelIndex current =
        validCell(row_, col_) && row_ >= headerRows() ? model_->index(viewRow(row_), col_) : QModelIndex();
    if (selectionModel()->currentIndex() != current)
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    viewport()->update();
}

// Scrolls the cell that the keyboard moved to into view.
void FlexGrid::showCurrentCell() {
    const int row = rowSel_ != row_ ? rowSel_ : row_;
    const int col = colSel_ != col_ ? colSel_ : col_;
    if (validCell(row, col) && row >= headerRows()) scrollTo(model_->index(viewRow(row), col));
}

// ---- sort ------------------------------------------------------------------

namespace {
// A key that reads as a number; plain digits (the usual keys) are read
// without the general conversion.
std::optional<double> sortNumber(const QString& text) {
    if (text.size() <= 15) {
        qint64 value = 0;
        bool digits = true;
        for (QChar c : text) {
            if (c < u'0' || c > u'9') {
                digits = false;
                break;
            }
            value = value * 10 + (c.unicode() - u'0');
        }
        if (digits) return double(value);
    }
    return Conversions::parseNumber(text);
}
}  // namespace

void FlexGrid::setSort(int setting) {
    if (setting != GenericAscending) return;
    const int first = std::min(row_, rowSel_), last = std::max(row_, rowSel_);
    if (first >= last || !validCell(last, col_)) return;

    // Empty keys first, then keys that read as numbers, by value, then the
    // other keys as text: one order that every pair of keys agrees with.
    struct Key {
        int kind;  // 0 empty, 1 number, 2 text
        double number;
        const QString* text;
        bool operator<(const Key& other) const {
            if (kind != other.kind) return kind < other.kind;
            if (kind == 1) return number < other.number;
            return kind == 2 && *text < *other.text;
        }
    };
    const int count = last - first + 1;
    std::vector<Key> keys;
    keys.reserve(size_t(count));
    for (int r = first; r <= last; ++r) {
        const QString& text = cell(r, col_).text;
        if (text.isEmpty()) {
            keys.push_back({0, 0, &text});
        } else if (const std::optional<double> number = sortNumber(text)) {
            keys.push_back({1, *number, &text});
        } else {
            keys.push_back({2, 0, &text});
        }
    }
    if (std::is_sorted(keys.begin(), keys.end())) return;  // nothing moves
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });

    std::vector<Cell> sorted;
    sorted.reserve(size_t(count) * size_t(cols_));
    for (int index : order) std::move(rowBegin(first + index), rowBegin(first + index + 1), std::back_inserter(sorted));
    std::move(sorted.begin(), sorted.end(), rowBegin(first));
    viewChanged();
}

// ---- columns ---------------------------------------------------------------

int FlexGrid::ScrollBarRoom() const {
    const int extent = verticalScrollBar()->sizeHint().width();
    return int(Twips::fromPixels(2 * frameWidth() + extent));
}

int FlexGrid::ColWidth(int col) const { return col >= 0 && col < cols_ ? colWidths_[size_t(col)] : 0; }

void FlexGrid::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols_) return;
    colWidths_[size_t(col)] = std::max(twips, 0);
    showColWidths();
}

// Each column ends at the last whole pixel within the twips of it and the
// columns before it, so that columns that share a width in twips never take
// more pixels than that width, however each one rounds.
void FlexGrid::showColWidths() {
    qint64 twips = 0;
    int edge = 0;
    for (int c = 0; c < cols_; ++c) {
        twips += colWidths_[size_t(c)];
        const int next = int(double(twips) / Twips::PerPixel);
        horizontalHeader()->resizeSection(c, next - edge);
        edge = next;
    }
}

void FlexGrid::setFormatString(const QString& format) {
    formatString_ = format;
    const QStringList fields = format.split(u'|');
    setCols(int(fields.size()));
    for (int c = 0; c < cols_; ++c) {
        QString field = fields[c];
        Qt::Alignment alignment = DefaultAlignment;
        if (field.startsWith(u'<') || field.startsWith(u'>')) {
            alignment = field.startsWith(u'<') ? Qt::AlignLeft : Qt::AlignRight;
            field.remove(0, 1);
        }
        colAlignments_[size_t(c)] = alignment;
        setTextMatrix(0, c, field);
    }
    viewChanged();
}

// ---- the user --------------------------------------------------------------

QPoint FlexGrid::cellAt(const QPoint& position) const {
    const QModelIndex index = indexAt(position);
    if (!index.isValid()) return {-1, -1};
    return {index.column(), index.row() + headerRows()};
}

void FlexGrid::userSelect(int row, int col, bool extend) {
    if (!validCell(row, col) || isFixed(row, col)) return;
    const int oldRow = row_, oldCol = col_, oldRowSel = rowSel_, oldColSel = colSel_;
    if (!extend) {
        row_ = row;
        col_ = col;
    }
    rowSel_ = row;
    colSel_ = col;
    userSelection_ = true;
    selectionChanged();
    if (row_ != oldRow || col_ != oldCol || rowSel_ != oldRowSel || colSel_ != oldColSel) emit SelChange();
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    refreshView();
    if (event->button() != Qt::LeftButton) return;
    if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.y() < 0) return;
    clickPending_ = true;
    dragging_ = true;
    userSelect(cell.y(), cell.x(), event->modifiers() & Qt::ShiftModifier);
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event) {
    refreshView();
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.y() >= 0) userSelect(cell.y(), cell.x(), true);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = false;
    if (!clickPending_) return;
    clickPending_ = false;
    emit Click();
}

// The second press of a double click: it selects like a press, then the
// double click runs; its release is no second Click.
void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    refreshView();
    if (event->button() != Qt::LeftButton) return;
    const QPoint cell = cellAt(event->position().toPoint());
    clickPending_ = false;
    if (cell.y() < 0) return;
    userSelect(cell.y(), cell.x(), false);
    emit DblClick();
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    refreshView();
    const int firstRow = fixedRows_, firstCol = fixedCols_;
    if (firstRow >= Rows() || firstCol >= cols_) {
        event->ignore();
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    int row = extend ? rowSel_ : row_;
    int col = extend ? colSel_ : col_;
    const int page = std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()) - 1);
    switch (event->key()) {
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_PageUp: row -= page; break;
    case Qt::Key_PageDown: row += page; break;
    case Qt::Key_Home: col = firstCol; break;
    case Qt::Key_End: col = cols_ - 1; break;
    default: event->ignore(); return;
    }
    userSelect(std::clamp(row, firstRow, Rows() - 1), std::clamp(col, firstCol, cols_ - 1), extend);
    showCurrentCell();
}

// Focus coming in would make the view's own first cell current; the grid keeps its own.
void FlexGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    selectionChanged();
}

void FlexGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    // Another window or a menu taking the keyboard is no move to another control.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    // Raised once the event that moved the focus has been handled: a button
    // pressed away from the grid gets its press before a handler of this
    // event can wait or disable it, so that its click still arrives.
    QMetaObject::invokeMethod(this, [this] { emit LostFocus(); }, Qt::QueuedConnection);
}
