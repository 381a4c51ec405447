#include "controls/control.h"

#include <QApplication>

#include "common/twips.h"

Control::Control(QWidget* self, const QString& name) : self_(self) { self->setObjectName(name); }

void Control::Move(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    self_->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
}

void Control::Move(float left, float top) { Move(left, top, width_, height_); }

QColor colorFromValue(quint32 value) {
    if (value & 0x80000000u) return QApplication::palette().color(QPalette::Button);  // the system's colours: the button face
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

quint32 valueFromColor(const QColor& color) {
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

void setBackground(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Button, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont fontOf(const QString& family, double pointSize, bool bold, bool italic) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
