#pragma once
#include <QCheckBox>

#include "controls/control.h"

// A check box with the values 0 (unticked), 1 (ticked) and 2 (greyed).
// Click runs whenever its value changes, by the user or by code.
class CheckBox : public QCheckBox, public Control {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE setValue)
public:
    CheckBox(QWidget* parent, const QString& name, const QString& caption = {});
    int Value() const;
    void setValue(int value);

signals:
    void Click();
};
