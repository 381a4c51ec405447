#pragma once
#include <QRadioButton>

#include "controls/control.h"

// An option button. Selecting one clears the others in the same container;
// Click runs when it becomes selected, by the user or by code.
class OptionButton : public QRadioButton, public Control {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE setValue)
    Q_PROPERTY(QString Caption READ text)
public:
    OptionButton(QWidget* parent, const QString& name, const QString& caption);
    bool Value() const { return isChecked(); }
    void setValue(bool value) { setChecked(value); }

signals:
    void Click();
};
