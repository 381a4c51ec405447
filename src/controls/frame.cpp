#include "controls/frame.h"

#include <QPainter>
#include <QStyle>

namespace {
// Where the caption starts, and the room kept clear of the border on each side of it, in pixels.
constexpr int CaptionLeft = 8;
constexpr int CaptionGap = 2;
}  // namespace

Frame::Frame(QWidget* parent, const QString& name, const QString& caption)
    : QGroupBox(caption, parent), Control(this, name) {}

void Frame::setBackColor(quint32 colorValue) { setBackground(this, colorFromValue(colorValue)); }

void Frame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const bool captioned = !title().isEmpty();
    const int top = captioned ? metrics.height() / 2 : 0;
    const QRect border = rect().adjusted(0, top, -1, -1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(border.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.adjusted(1, 1, 0, 0));
    if (!captioned) return;

    const QRect caption(CaptionLeft, 0, metrics.horizontalAdvance(title()), metrics.height());
    painter.fillRect(caption.adjusted(-CaptionGap, 0, CaptionGap, 0), palette().brush(backgroundRole()));
    style()->drawItemText(&painter, caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                          isEnabled(), title(), QPalette::WindowText);
}
