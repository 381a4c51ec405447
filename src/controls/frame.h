#pragma once
#include <QGroupBox>

#include "controls/control.h"

// A frame that holds other controls, with or without a caption. A frame
// without a caption shows its back colour inside an etched border.
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
