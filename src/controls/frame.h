#pragma once
#include <QGroupBox>

#include "controls/control.h"

// A frame that holds other controls, with or without a caption: an etched
// border around its back colour. The border's top runs through the middle of
// the caption, which sits near the left on the frame's back colour, so that a
// control placed a caption's height below the frame's top lies inside it.
class Frame : public QGroupBox, public Control {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
public:
    Frame(QWidget* parent, const QString& name, const QString& caption = {});
    QString Caption() const { return title(); }
    void setCaption(const QString& caption) { setTitle(caption); }
    void setBackColor(quint32 colorValue);

protected:
    void paintEvent(QPaintEvent* event) override;
};
