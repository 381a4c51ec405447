#pragma once
#include <QLabel>

#include "controls/control.h"

// A text label. Change runs on every assignment of the caption, even of the
// same text; Click when the user clicks it.
class Label : public QLabel, public Control {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
public:
    Label(QWidget* parent, const QString& name, const QString& caption = {});
    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    void setBackColor(quint32 colorValue);
    void setForeColor(quint32 colorValue);

signals:
    void Click();
    void Change();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};
