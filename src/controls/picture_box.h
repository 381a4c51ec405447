#pragma once
#include <QLabel>
#include <QPixmap>

#include "controls/control.h"

// A picture box: its picture sits at the top left at its own size, cut off at
// the box's edges. An element of a control array carries its index in its
// name, e.g. "Picture1(7)".
class PictureBox : public QLabel, public Control {
    Q_OBJECT
public:
    PictureBox(QWidget* parent, const QString& name);
    PictureBox(QWidget* parent, const QString& arrayName, int index);

    // The element's index in its control array, -1 for a single picture box.
    int Index() const { return index_; }
    void setPicture(const QPixmap& picture) { setPixmap(picture); }

private:
    int index_ = -1;
};
