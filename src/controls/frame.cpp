#include "controls/frame.h"

Frame::Frame(QWidget* parent, const QString& name, const QString& caption)
    : QGroupBox(caption, parent), Control(this, name) {
    if (caption.isEmpty()) setFlat(true);
}

void Frame::setBackColor(quint32 colorValue) { setBackground(this, colorFromValue(colorValue)); }
