#pragma once
#include <QPointer>

#include "common/form.h"

class QMdiArea;
class QMdiSubWindow;
class PopupMenu;
class Toolbar;

// A window that holds other windows: a menu bar, a toolbar along the top edge
// and, below them, the area in which its child windows live. A maximized
// child window fills the area without a title bar of its own: its buttons go
// into the menu bar and its caption into the title bar, after the window's.
//
// Resize runs whenever its size or its window state changes (also when it is
// minimized or restored).
class MdiForm : public Form {
    Q_OBJECT
public:
    explicit MdiForm(const QString& name);

    PopupMenu* addMenu(const QString& name, const QString& caption);
    void addToolbar(Toolbar* toolbar);
    QMdiArea* area() const { return area_; }

    // The whole window's size in twips: border, caption, menu bar and toolbar included.
    float OuterWidth() const;
    float OuterHeight() const;
    bool isMinimizedState() const { return windowState() & Qt::WindowMinimized; }

    // Locked while a tool window of its is open: it takes no input (menus,
    // toolbar and child windows alike) and refuses to be closed. Unlocked,
    // the child window that was active is active again, with the focus on
    // the control that had it.
    void setLocked(bool locked);

signals:
    void Resize();

protected:
    // The area below the menu bar (toolbar and child windows) in twips.
    void setClientSize(int widthTwips, int heightTwips);
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QMdiArea* area_;
    // Where the window was when it was locked.
    QPointer<QMdiSubWindow> activeBeforeLock_;
    QPointer<QWidget> focusBeforeLock_;
};

// A window shown inside the area of an MdiForm, in a sub-window with a title
// bar, minimize and maximize buttons but no close box: it is shown and
// hidden, never closed by the user.
// Showing it brings it to the front of the area.
class MdiChildForm : public Form {
    Q_OBJECT
public:
    MdiChildForm(const QString& name, MdiForm& parent);

    void setVisible(bool visible) override;
    // Shows the window in front, then fills the parent's area with it, from
    // any state (minimized included); the other child windows follow while
    // it is so.
    void ShowMaximized();
    bool isMaximizedState() const;
    QMdiSubWindow* subWindow() const { return sub_; }

protected:
    // Shows the window in its parent's area at once, as a child window does
    // the moment it is made. Called at the end of a child's constructor,
    // once its controls exist.
    void showCreated(int widthTwips, int heightTwips);

private:
    MdiForm& parent_;
    QMdiSubWindow* sub_ = nullptr;
};
