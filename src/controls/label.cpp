#include "controls/label.h"

#include <QMouseEvent>

Label::Label(QWidget* parent, const QString& name, const QString& caption)
    : QLabel(caption, parent), Control(this, name) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
}

void Label::setCaption(const QString& caption) {
    setText(caption);
    emit Change();
}

void Label::setBackColor(quint32 colorValue) { setBackground(this, colorFromValue(colorValue)); }

void Label::setForeColor(quint32 colorValue) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colorFromValue(colorValue));
    setPalette(p);
}

void Label::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit Click();
}
