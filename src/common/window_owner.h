#pragma once

class QWidget;
class QWindow;

// Which window a dialog, tool window or message box belongs to on the window
// system (it is transient for that window): the window manager keeps it in
// front of its owner and brings it to the front with it. The window system
// reads a window's owner when the window is mapped; a window already mapped
// that is given another owner is told again.
namespace WindowOwner {

// The window to belong to for a window opened from `opener`: the opener's
// window when it is shown, else the window that one belongs to, and so on;
// the main window (the desk) when none of them is shown. A dialog never
// belongs to no window while the main window shows: the window manager would
// keep it in front of every window of the program.
QWindow* ownerFor(const QWidget* opener);

// Makes `window` belong to `owner`, on the window system too. A window
// already mapped keeps the owner it has rather than none.
void belongTo(QWidget* window, QWindow* owner);

// The owner that the window system has for `window`: the one it read when the
// window was mapped, or was told since. Null for none, for a window that
// never belongs to one (a window of its own), and for an owner that is gone.
QWindow* ownerOnWindowSystem(const QWidget& window);

}  // namespace WindowOwner
