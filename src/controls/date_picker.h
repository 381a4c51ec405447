#pragma once
#include <QDateEdit>
#include <memory>

#include "controls/control.h"

// A date box with a drop-down month calendar, for dates from 1 January 1601
// to 31 December 9999. Change runs when the user changes the date; setting it
// from code runs nothing.
//
// A date typed into the box ends as typed: the picker collects the typed parts
// itself (in the order of its display format, with or without separators)
// rather than letting each keystroke fit the date shown so far, so a day that
// the month or year shown does not have is kept until they are typed too.
class DatePicker : public QDateEdit, public Control {
    Q_OBJECT
    Q_PROPERTY(QDate Value READ Value WRITE setValue)
public:
    DatePicker(QWidget* parent, const QString& name);
    ~DatePicker() override;

    QDate Value() const { return date(); }
    void setValue(const QDate& value);

    // Choosing a date as the user would.
    void pick(const QDate& value);

    static QDate first() { return {1601, 1, 1}; }
    static QDate last() { return {9999, 12, 31}; }

    // The arrows, the wheel and the menu's steps start from the date typed so far.
    void stepBy(int steps) override;
    // While a date is being typed, its text is the picker's own: it may name no
    // date yet (31 April) and is neither checked nor mended.
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    void Change();

protected:
    // Tab goes on to the next control, as from any other box; the arrow keys
    // move between day, month and year.
    bool focusNextPrevChild(bool next) override { return QAbstractSpinBox::focusNextPrevChild(next); }

    // Typed characters go to the date being typed; any other key (but Shift
    // and its like), a click, a step or the focus leaving first ends the
    // typing, then acts as usual.
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TypedDate;

    void type(QChar typed);
    void showTyping();
    // Sets the date typed (a day past the month's end becoming its last day)
    // and shows it as the picker shows any date.
    void finishTyping();

    bool settingValue_ = false;
    QDate reported_;  // the date the last Change (or setting from code) left
    std::unique_ptr<TypedDate> typing_;
};
