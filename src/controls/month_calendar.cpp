#include "controls/month_calendar.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <algorithm>

#include "common/twips.h"

namespace {
const QColor Paper(255, 255, 255);
const QColor Title(31, 58, 104);
const QColor NamesBand(226, 233, 243);
const QColor NamesText(52, 64, 84);
const QColor DayText(24, 24, 24);
const QColor OtherMonthText(168, 172, 180);
const QColor Lines(206, 212, 222);
const QColor Selection(41, 98, 196);
constexpr float NamesBandTwips = 300;
// Room after the month's name and after the year for the mark that tells
// they open a choice.
constexpr int DropMarkWidth = 14;

QRect pixels(const QRectF& twips) {
    const int left = Twips::toPixels(twips.left()), top = Twips::toPixels(twips.top());
    return {left, top, Twips::toPixels(twips.right()) - left, Twips::toPixels(twips.bottom()) - top};
}
}  // namespace

MonthCalendar::MonthCalendar(QWidget* parent, const QString& name)
    : QWidget(parent), Control(this, name), value_(QDate::currentDate()), monthMenu_(new QMenu(this)),
      yearBox_(new QSpinBox(this)) {
    setFocusPolicy(Qt::StrongFocus);

    const QLocale locale;
    for (int month = 1; month <= 12; ++month)
        connect(monthMenu_->addAction(locale.standaloneMonthName(month)), &QAction::triggered, this,
                [this, month] { userChooseMonth(Year(), month); });

    // A typed year counts once it is confirmed (Enter, or leaving the box);
    // the box's arrows count at each step.
    yearBox_->setRange(first().year(), last().year());
    yearBox_->setKeyboardTracking(false);
    yearBox_->hide();
    yearBox_->installEventFilter(this);
    connect(yearBox_, &QSpinBox::valueChanged, this, [this](int year) { userChooseMonth(year, Month()); });
    connect(yearBox_, &QSpinBox::editingFinished, this, [this] {
        if (yearBox_->hasFocus()) setFocus(Qt::OtherFocusReason);
        yearBox_->hide();
    });
}

void MonthCalendar::setValue(const QDate& value) {
    if (!value.isValid()) return;
    value_ = std::clamp(value, first(), last());
    update();
}

QDate MonthCalendar::firstShown() const {
    const QDate firstOfMonth(value_.year(), value_.month(), 1);
    const int weekday = firstOfMonth.dayOfWeek() % 7;  // Sunday 0 .. Saturday 6
    // A month beginning on a Sunday leaves the first row to the month before.
    return firstOfMonth.addDays(-(weekday == 0 ? 7 : weekday));
}

QDate MonthCalendar::cellDate(int cell) const { return firstShown().addDays(cell - 1); }

int MonthCalendar::cellOf(const QDate& day) const {
    const qint64 cell = firstShown().daysTo(day) + 1;
    return cell >= 1 && cell <= Cells ? int(cell) : 0;
}

MonthCalendar::Layout MonthCalendar::layout() const {
    if (placed_) return *placed_;
    const float width = float(Twips::fromPixels(this->width()));
    const float height = float(Twips::fromPixels(this->height()));
    const float titleHeight = height * 0.13f;
    const float gridTop = titleHeight + NamesBandTwips;
    Layout even{0, width / 7, {}, QRectF(0, 0, width, titleHeight)};
    for (int r = 0; r < 7; ++r) even.rowEdges[r] = gridTop + (height - gridTop) * float(r) / 6;
    return even;
}

void MonthCalendar::setDayCells(float left, float columnWidth, const std::array<float, 7>& rowEdges,
                                const QRectF& titleArea) {
    placed_ = Layout{left, columnWidth, rowEdges, titleArea};
    update();
}

QRect MonthCalendar::cellRect(int cell) const {
    if (cell < 1 || cell > Cells) return {};
    const Layout l = layout();
    const int column = (cell - 1) % 7, row = (cell - 1) / 7;
    const float left = l.left + l.columnWidth * float(column);
    return pixels(QRectF(left, l.rowEdges[row], l.columnWidth, l.rowEdges[row + 1] - l.rowEdges[row]));
}

MonthCalendar::TitleParts MonthCalendar::titleParts() const {
    TitleParts parts{font(), {}, {}};
    parts.font.setPointSizeF(12);
    parts.font.setBold(true);
    const QFontMetrics metrics(parts.font);
    const int monthWidth = metrics.horizontalAdvance(QLocale().standaloneMonthName(Month())) + DropMarkWidth;
    const int yearWidth = metrics.horizontalAdvance(QString::number(Year())) + DropMarkWidth;
    const int gap = metrics.horizontalAdvance(u' ');
    const QRect area = pixels(layout().titleArea);
    const int left = area.left() + (area.width() - monthWidth - gap - yearWidth) / 2;
    const int top = area.top() + (area.height() - metrics.height()) / 2;
    parts.month = QRect(left, top, monthWidth, metrics.height());
    parts.year = QRect(parts.month.right() + 1 + gap, top, yearWidth, metrics.height());
    return parts;
}

int MonthCalendar::cellAt(const QPoint& at) const {
    for (int cell = 1; cell <= Cells; ++cell)
        if (cellRect(cell).contains(at)) return cell;
    return 0;
}

void MonthCalendar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Paper);
    const QLocale locale;

    const TitleParts title = titleParts();
    painter.setFont(title.font);
    painter.setPen(Title);
    painter.setBrush(Title);
    const QString titleTexts[] = {locale.standaloneMonthName(Month()), QString::number(Year())};
    for (int i = 0; i < 2; ++i) {
        const QRect part = i == 0 ? title.month : title.year;
        painter.drawText(part.adjusted(0, 0, -DropMarkWidth, 0), Qt::AlignLeft | Qt::AlignVCenter, titleTexts[i]);
        // A small triangle pointing down, centred in the room after the text.
        const QPointF centre(part.right() - DropMarkWidth / 2.0 + 2, part.center().y() + 1);
        painter.drawPolygon(QPolygonF({centre + QPointF(-4, -2), centre + QPointF(4, -2), centre + QPointF(0, 2.5)}));
    }
    painter.setBrush(Qt::NoBrush);

    const QRect grid = cellRect(1).united(cellRect(Cells));
    const int bandHeight = qMin(Twips::toPixels(NamesBandTwips), grid.top());
    const QRect band(grid.left(), grid.top() - bandHeight, grid.width(), bandHeight);
    painter.fillRect(band, NamesBand);
    QFont namesFont = font();
    namesFont.setBold(true);
    painter.setFont(namesFont);
    painter.setPen(NamesText);
    for (int column = 0; column < 7; ++column) {
        const QRect cell = cellRect(column + 1);
        painter.drawText(QRect(cell.left(), band.top(), cell.width(), band.height()), Qt::AlignCenter,
                         locale.dayName(column == 0 ? 7 : column, QLocale::ShortFormat));
    }

    QFont dayFont = font();
    dayFont.setPointSizeF(10);
    const int selected = cellOf(value_);
    for (int cell = 1; cell <= Cells; ++cell) {
        const QDate day = cellDate(cell);
        const bool inMonth = day.month() == Month() && day.year() == Year();
        dayFont.setBold(cell == selected);
        painter.setFont(dayFont);
        painter.setPen(inMonth ? DayText : OtherMonthText);
        painter.drawText(cellRect(cell).adjusted(0, 5, -7, 0), Qt::AlignRight | Qt::AlignTop, QString::number(day.day()));
    }

    painter.setPen(Lines);
    for (int row = 0; row <= 6; ++row) {
        const int y = row < 6 ? cellRect(row * 7 + 1).top() : grid.bottom();
        painter.drawLine(grid.left(), y, grid.right(), y);
    }
    for (int column = 0; column <= 7; ++column) {
        const int x = column < 7 ? cellRect(column + 1).left() : grid.right();
        painter.drawLine(x, band.top(), x, grid.bottom());
    }

    if (selected) {
        painter.setPen(QPen(Selection, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cellRect(selected).adjusted(2, 2, -1, -1));
    }
}

void MonthCalendar::userChoose(const QDate& day) {
    const QDate chosen = std::clamp(day, first(), last());
    if (chosen == value_) return;
    value_ = chosen;
    update();
    emit AfterUpdate();
}

void MonthCalendar::userChooseMonth(int year, int month) {
    const QDate firstOfMonth(year, month, 1);
    userChoose(firstOfMonth.addDays(std::min(Day(), firstOfMonth.daysInMonth()) - 1));
}

void MonthCalendar::showMonthMenu() {
    const QRect month = monthTitleRect();
    monthMenu_->setActiveAction(monthMenu_->actions().value(Month() - 1));
    monthMenu_->popup(mapToGlobal(month.bottomLeft()));
}

// The year box lies over the year's text, holding the year shown, selected.
void MonthCalendar::editYear() {
    const QRect year = yearTitleRect();
    const QSize size = yearBox_->sizeHint().expandedTo(QSize(year.width() + 24, 0));
    const int left = std::clamp(year.center().x() - size.width() / 2, 0, std::max(0, width() - size.width()));
    yearBox_->setGeometry(left, year.center().y() - size.height() / 2, size.width(), size.height());
    {
        const QSignalBlocker quiet(yearBox_);
        yearBox_->setValue(Year());
    }
    yearBox_->show();
    yearBox_->raise();
    yearBox_->setFocus(Qt::MouseFocusReason);
    yearBox_->selectAll();
}

// Escape leaves the year box without changing the year.
bool MonthCalendar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == yearBox_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        {
            const QSignalBlocker quiet(yearBox_);
            yearBox_->setValue(Year());
        }
        setFocus(Qt::OtherFocusReason);
        yearBox_->hide();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MonthCalendar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    if (monthTitleRect().contains(at)) return showMonthMenu();
    if (yearTitleRect().contains(at)) return editYear();
    if (const int cell = cellAt(at)) userChoose(cellDate(cell));
}

// The press before it has chosen the day; a day of a neighbouring month has
// brought that month up meanwhile, so the cell under the mouse is not asked again.
void MonthCalendar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && cellAt(event->position().toPoint())) emit DblClick();
}

void MonthCalendar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left: userChoose(value_.addDays(-1)); break;
    case Qt::Key_Right: userChoose(value_.addDays(1)); break;
    case Qt::Key_Up: userChoose(value_.addDays(-7)); break;
    case Qt::Key_Down: userChoose(value_.addDays(7)); break;
    case Qt::Key_PageUp: userChoose(value_.addMonths(-1)); break;
    case Qt::Key_PageDown: userChoose(value_.addMonths(1)); break;
    default: QWidget::keyPressEvent(event);
    }
}
