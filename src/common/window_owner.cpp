#include "common/window_owner.h"

#include <QGuiApplication>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <xcb/xcb.h>

#include "common/application.h"

namespace {
// The owner the window system has, kept on the window as its id: an owner
// that is gone leaves an id that names no window.
constexpr char OwnerTold[] = "ownerOnWindowSystem";

// The kinds of window that the X11 platform maps as transient for their
// owner; other windows are windows of their own there.
bool belongsToAnOwner(const QWindow& window) {
    switch (window.type()) {
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Tool:
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Drawer: return true;
    default: return false;
    }
}

// Tells a mapped window's new owner to an X11 window system; the window
// manager follows the property's change. Other platforms have no window
// manager to tell (offscreen) or none that this program runs under.
void tellWindowSystem(QWindow& window, QWindow& owner) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    const xcb_window_t ownerId = owner.winId();
    xcb_change_property(x11->connection(), XCB_PROP_MODE_REPLACE, window.winId(), XCB_ATOM_WM_TRANSIENT_FOR,
                        XCB_ATOM_WINDOW, 32, 1, &ownerId);
    xcb_flush(x11->connection());
}
}  // namespace

namespace WindowOwner {

QWindow* ownerFor(const QWidget* opener) {
    QWindow* owner = opener ? opener->window()->windowHandle() : nullptr;
    // An opener that has stepped aside (hidden) hands the window on to its own owner.
    while (owner && !owner->isVisible()) owner = owner->transientParent();
    if (owner) return owner;
    QWidget* main = app().mainWindow();
    return main && main->isVisible() ? main->windowHandle() : nullptr;
}

void belongTo(QWidget* window, QWindow* owner) {
    window->winId();  // makes its window on the window system
    QWindow& handle = *window->windowHandle();
    const bool mapped = handle.isVisible();
    if (mapped && !owner) return;
    handle.setTransientParent(owner);
    if (!belongsToAnOwner(handle)) {
        handle.setProperty(OwnerTold, QVariant());
        return;
    }
    // A hidden window gets its owner when it is mapped; a mapped one keeps
    // the owner it was mapped with until it is told.
    if (mapped && ownerOnWindowSystem(*window) != owner) tellWindowSystem(handle, *owner);
    handle.setProperty(OwnerTold, owner ? QVariant::fromValue(owner->winId()) : QVariant());
}

QWindow* ownerOnWindowSystem(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    if (!handle) return nullptr;
    const QVariant told = handle->property(OwnerTold);
    if (!told.isValid()) return nullptr;
    const WId id = told.value<WId>();
    for (QWindow* candidate : QGuiApplication::allWindows())
        if (candidate->handle() && candidate->winId() == id) return candidate;
    return nullptr;
}

}  // namespace WindowOwner
