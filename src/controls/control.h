#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

// What every control shares: its name, and its place and size in twips (kept
// in single precision, as they are set, while the widget sits at the nearest
// whole pixels).
class Control {
public:
    Control(QWidget* self, const QString& name);
    virtual ~Control() = default;

    void Move(float left, float top, float width, float height);
    void Move(float left, float top);
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void setLeft(float left) { Move(left, top_, width_, height_); }
    void setTop(float top) { Move(left_, top, width_, height_); }
    void setWidth(float width) { Move(left_, top_, width, height_); }
    void setHeight(float height) { Move(left_, top_, width_, height); }

    // Whether the control itself is set visible, whatever its window.
    bool Visible() const { return !self_->isHidden(); }
    void setVisibleFlag(bool visible) { self_->setVisible(visible); }

private:
    QWidget* self_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

// Colours as the windows write them: 0x00BBGGRR, or a colour of the system
// (the high bit set, then its number), such as the face of a button.
inline constexpr quint32 SystemButtonFace = 0x8000000F;
QColor colorFromValue(quint32 value);
quint32 valueFromColor(const QColor& color);

// Paints a widget's background in a plain colour.
void setBackground(QWidget* widget, const QColor& color);

// A font as the windows name it: family, point size, bold, italic.
QFont fontOf(const QString& family, double pointSize, bool bold = false, bool italic = false);
