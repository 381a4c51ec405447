#pragma once
#include <QDate>
#include <QRectF>
#include <QWidget>
#include <array>
#include <optional>

#include "controls/control.h"

class QMenu;
class QSpinBox;

// A month calendar: six weeks of seven days, Sunday first. A month beginning
// on a Sunday starts in the second row, so that its first row holds only days
// of the month before; days of the neighbouring months show greyed. The
// title's month name opens a menu of the twelve months, and its year a box in
// which the year is typed or stepped; either keeps the day of the month where
// the new month has it, or else takes its last day.
// AfterUpdate runs when the user changes the date (a click on a day, also one
// of a neighbouring month, the arrow and page keys, a month or year chosen in
// the title); DblClick when the user double-clicks a day. Setting the date
// from code runs nothing.
class MonthCalendar : public QWidget, public Control {
    Q_OBJECT
    Q_PROPERTY(QDate Value READ Value WRITE setValue)
    Q_PROPERTY(int Year READ Year)
    Q_PROPERTY(int Month READ Month)
    Q_PROPERTY(int Day READ Day)
public:
    static constexpr int Cells = 42;

    MonthCalendar(QWidget* parent, const QString& name);

    QDate Value() const { return value_; }
    // Dates outside first() .. last() are taken as the nearest of the two.
    void setValue(const QDate& value);
    int Year() const { return value_.year(); }
    int Month() const { return value_.month(); }
    int Day() const { return value_.day(); }

    // The day shown in cell 1 .. 42, counted row by row from the top left.
    QDate cellDate(int cell) const;
    // The cell showing the day, 0 when the month shown does not show it.
    int cellOf(const QDate& day) const;
    // Where a cell lies, in pixels of this control.
    QRect cellRect(int cell) const;
    // Where the title shows the month's name and the year, in pixels of this
    // control: a click there chooses the month or the year.
    QRect monthTitleRect() const { return titleParts().month; }
    QRect yearTitleRect() const { return titleParts().year; }

    // Places the day cells, in twips from the control's top left: the left
    // edge of the first column, the width of a column, and the top of each of
    // the six rows followed by the bottom of the last. The month's title is
    // centred in titleArea; the day names fill a band above the first row.
    // Until this is called the cells share the control's size evenly.
    void setDayCells(float left, float columnWidth, const std::array<float, 7>& rowEdges, const QRectF& titleArea);

    static QDate first() { return {1601, 1, 1}; }
    static QDate last() { return {9999, 12, 31}; }

signals:
    void AfterUpdate();
    void DblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Layout {
        float left;
        float columnWidth;
        std::array<float, 7> rowEdges;
        QRectF titleArea;
    };
    struct TitleParts {
        QFont font;
        QRect month, year;  // the texts, each with its drop-down mark after it
    };
    Layout layout() const;
    TitleParts titleParts() const;
    QDate firstShown() const;
    int cellAt(const QPoint& at) const;
    void userChoose(const QDate& day);
    // The shown day of the month in another month, or that month's last day.
    void userChooseMonth(int year, int month);
    void showMonthMenu();
    void editYear();

    QDate value_;
    std::optional<Layout> placed_;
    QMenu* monthMenu_;
    QSpinBox* yearBox_;
};
