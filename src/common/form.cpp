#include "common/form.h"

#include <QCloseEvent>
#include <QWindow>

#include "common/application.h"
#include "common/twips.h"

void belongTo(QWidget* window, const QWidget* owner) {
    if (!window->windowHandle()) window->winId();  // makes its window on the window system
    QWindow* ownerWindow = owner ? owner->windowHandle() : nullptr;
    // An owner that has stepped aside (hidden) hands the window on to its own owner.
    while (ownerWindow && !ownerWindow->isVisible()) ownerWindow = ownerWindow->transientParent();
    window->windowHandle()->setTransientParent(ownerWindow);
}

Form::Form(const QString& name, QWidget* parent) : QMainWindow(parent, Qt::Window) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Form::Show() {
    show();
    raise();
    if (!testAttribute(Qt::WA_ShowWithoutActivating)) activateWindow();
}

void Form::Show(const QWidget& opener) {
    belongTo(this, opener.window());
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

void Form::Unload() {
    Form_Unload();
    hide();
    app().forgetWindow(this);
    deleteLater();
}
