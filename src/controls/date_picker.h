#pragma once
#include <QDateEdit>

#include "controls/control.h"

// A date box with a drop-down month calendar, for dates from 1 January 1601
// to 31 December 9999. Change runs when the user changes the date; setting it
// from code runs nothing.
class DatePicker : public QDateEdit, public Control {
    Q_OBJECT
    Q_PROPERTY(QDate Value READ Value WRITE setValue)
public:
    DatePicker(QWidget* parent, const QString& name);

    QDate Value() const { return date(); }
    void setValue(const QDate& value);

    // Choosing a date as the user would.
    void pick(const QDate& value);

    static QDate first() { return {1601, 1, 1}; }
    static QDate last() { return {9999, 12, 31}; }

signals:
    void Change();

protected:
    // Tab goes on to the next control, as from any other box; the arrow keys
    // move between day, month and year.
    bool focusNextPrevChild(bool next) override { return QAbstractSpinBox::focusNextPrevChild(next); }

private:
    bool settingValue_ = false;
};
