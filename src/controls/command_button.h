#pragma once
#include <QPushButton>

#include "controls/control.h"

// A push button. Click runs when the user presses it: a click, Space, or
// Return or Enter while it has the focus (or code calls click()). It is no
// default button: Return in a text box presses none.
class CommandButton : public QPushButton, public Control {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
public:
    CommandButton(QWidget* parent, const QString& name, const QString& caption = {});
    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    // The graphical style: the button shows its back colour, as set.
    quint32 BackColor() const { return backColor_; }
    void setBackColor(quint32 colorValue);

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    quint32 backColor_ = SystemButtonFace;
    bool graphical_ = false;  // a back colour has been set
};
