#pragma once
#include <QWidget>

#include "controls/control.h"

class QToolButton;

// Horizontal up-down buttons: the left arrow runs DownClick, the right arrow
// UpClick, each time the user presses it (held down, it repeats).
class UpDown : public QWidget, public Control {
    Q_OBJECT
public:
    UpDown(QWidget* parent, const QString& name);

    QToolButton* downButton() const { return down_; }
    QToolButton* upButton() const { return up_; }

signals:
    void UpClick();
    void DownClick();

private:
    QToolButton* down_;
    QToolButton* up_;
};
