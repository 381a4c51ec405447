#include "controls/command_button.h"

CommandButton::CommandButton(QWidget* parent, const QString& name, const QString& caption)
    : QPushButton(caption, parent), Control(this, name) {
    connect(this, &QPushButton::clicked, this, &CommandButton::Click);
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
