#include "controls/command_button.h"

#include <QKeyEvent>

CommandButton::CommandButton(QWidget* parent, const QString& name, const QString& caption)
    : QPushButton(caption, parent), Control(this, name) {
    connect(this, &QPushButton::clicked, this, &CommandButton::Click);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier)) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    // A key held down presses once, so that a held Return does not enter
    // the same thing again and again.
    if (!event->isAutoRepeat()) click();
}

void CommandButton::setBackColor(quint32 colorValue) {
    if (graphical_ && colorValue == backColor_) return;  // already painted so
    graphical_ = true;
    backColor_ = colorValue;
    const QColor color = colorFromValue(colorValue);
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid %2; }"
                                 "QPushButton:pressed { background-color: %2; }")
                      .arg(color.name(), color.darker(160).name()));
}
