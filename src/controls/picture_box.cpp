#include "controls/picture_box.h"

PictureBox::PictureBox(QWidget* parent, const QString& name) : QLabel(parent), Control(this, name) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(false);
}

PictureBox::PictureBox(QWidget* parent, const QString& arrayName, int index)
    : PictureBox(parent, QStringLiteral("%1(%2)").arg(arrayName).arg(index)) {
    index_ = index;
}
