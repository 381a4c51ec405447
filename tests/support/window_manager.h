#pragma once
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <QWindow>
#include <QtGui/private/qwindow_p.h>
#include <qpa/qwindowsysteminterface.h>

// What a window manager does to the program's windows and sees of them. The
// offscreen platform that the tests run on has none: a user's drag is told to
// the program as the window system tells it, and where a window is to go when
// it is mapped is read as the window system reads it.
namespace WindowManager {

// The user drags the window by its title bar until its frame stands at `place`.
inline void drag(QWidget& window, const QPoint& place) {
    QWindow* handle = window.windowHandle();
    const QMargins frame = handle->frameMargins();
    QWindowSystemInterface::handleGeometryChange<QWindowSystemInterface::SynchronousDelivery>(
        handle, QRect(place + QPoint(frame.left(), frame.top()), handle->geometry().size()));
}

// The window manager gives the focus to the window, as it does on its own
// when the window that had it goes (its choice may not be the program's).
inline void focus(QWidget& window) {
    QWindowSystemInterface::handleWindowActivated<QWindowSystemInterface::SynchronousDelivery>(
        window.windowHandle(), Qt::ActiveWindowFocusReason);
}

// The user minimizes the window through the window manager.
inline void minimize(QWidget& window) {
    QWindowSystemInterface::handleWindowStateChanged<QWindowSystemInterface::SynchronousDelivery>(
        window.windowHandle(), Qt::WindowMinimized);
}

// True when the window leaves its place to the window manager at its next
// mapping; false when it asks for the place where its frame stands now.
inline bool placesIt(const QWidget& window) {
    return QWindowPrivate::get(const_cast<QWindow*>(window.windowHandle()))->positionAutomatic;
}

}  // namespace WindowManager
