#pragma once
#include <QLabel>
#include <QPixmap>

#include "controls/control.h"

// A picture stretched to the control's size. DblClick runs on a double click;
// MouseUp when a mouse button is released over it, with the button
// (1 left, 2 right, 4 middle), the shift state (1 Shift, 2 Ctrl, 4 Alt) and the
// position in twips.
class Image : public QLabel, public Control {
    Q_OBJECT
public:
    Image(QWidget* parent, const QString& name);
    void setPicture(const QPixmap& picture);
    bool hasPicture() const { return !pixmap().isNull(); }
    void setSingleBorder(bool border);

signals:
    void DblClick();
    void MouseUp(int button, int shift, float x, float y);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

int mouseButtonCode(Qt::MouseButton button);
int shiftCode(Qt::KeyboardModifiers modifiers);
