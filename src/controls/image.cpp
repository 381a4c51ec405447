#include "controls/image.h"

#include <QMouseEvent>

#include "common/twips.h"

int mouseButtonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

Image::Image(QWidget* parent, const QString& name) : QLabel(parent), Control(this, name) {
    setScaledContents(true);
}

void Image::setPicture(const QPixmap& picture) { setPixmap(picture); }

void Image::setSingleBorder(bool border) {
    setFrameShape(border ? QFrame::Box : QFrame::NoFrame);
    setLineWidth(1);
}

void Image::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit DblClick();
}

void Image::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    const QPointF at = event->position();
    emit MouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()), float(Twips::fromPixels(at.x())),
                 float(Twips::fromPixels(at.y())));
}
