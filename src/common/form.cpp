#include "common/form.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QShowEvent>
#include <QWindow>

#include "common/application.h"
#include "common/twips.h"
#include "common/window_owner.h"

Form::Form(const QString& name, QWidget* parent) : QMainWindow(parent, Qt::Window) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Form::Show() {
    show();
    raise();
    if (testAttribute(Qt::WA_ShowWithoutActivating)) return;
    activateWindow();
    app().noteWindowShown();
}

void Form::Show(const QWidget& opener) {
    WindowOwner::belongTo(this, WindowOwner::ownerFor(&opener));
    Show();
}

void Form::setTakesNoActivation() {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlags(windowFlags() | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnTopHint);
}

void Form::setNormalState() { setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)); }

void Form::setFrame(Border border, bool closeBox, bool minimizeBox, bool maximizeBox) {
    border_ = border;
    closeBox_ = closeBox;
    Qt::WindowFlags flags = Qt::CustomizeWindowHint;
    switch (border) {
    case Border::None: flags = Qt::Dialog | Qt::FramelessWindowHint; break;
    case Border::FixedTool: flags |= Qt::Tool | Qt::WindowTitleHint; break;
    case Border::FixedDialog: flags |= Qt::Dialog | Qt::WindowTitleHint; break;
    case Border::Fixed:
    case Border::Sizable: flags |= Qt::Window | Qt::WindowTitleHint; break;
    }
    if (border != Border::None) {
        if (closeBox) flags |= Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
        if (minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
        if (maximizeBox) flags |= Qt::WindowMaximizeButtonHint;
    }
    setWindowFlags(flags);
}

void Form::setClientSize(int widthTwips, int heightTwips) {
    const QSize size(Twips::toPixels(widthTwips), Twips::toPixels(heightTwips));
    if (border_ == Border::Sizable) {
        resize(size);
    } else {
        setFixedSize(size);
    }
}

// A window without a close box, or one that takes no input now (locked while
// a tool window of its is open), stays.
void Form::closeEvent(QCloseEvent* event) {
    if (!closeBox_ || !isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    Unload();
}

// The focus goes to the first input as the window comes up; it takes it
// when the window becomes active.
void Form::showEvent(QShowEvent* event) {
    if (!event->spontaneous() && firstInput_) firstInput_->setFocus(Qt::OtherFocusReason);
    QMainWindow::showEvent(event);
}

// The window system places a window afresh each time it is mapped, unless
// the window asks for a place: a window hidden by the program asks for the
// one it is leaving. A window minimized or hidden by the window system
// (spontaneously) keeps its place there.
void Form::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && isWindow() && windowState() == Qt::WindowNoState && windowHandle())
        windowHandle()->setFramePosition(pos());
    QMainWindow::hideEvent(event);
}

void Form::Unload() {
    Form_Unload();
    hide();
    app().forgetWindow(this);
    deleteLater();
}
