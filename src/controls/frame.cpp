#include "controls/frame.h"

#include <QPainter>

Frame::Frame(QWidget* parent, const QString& name, const QString& caption)
    : QGroupBox(caption, parent), Control(this, name) {}

void Frame::setBackColor(quint32 colorValue) { setBackground(this, colorFromValue(colorValue)); }

void Frame::paintEvent(QPaintEvent* event) {
    if (!title().isEmpty()) {
        QGroupBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(r.adjusted(1, 1, 0, 0));
}
