#pragma once
#include <QAction>
#include <QMenu>

// A menu whose items, submenus and separators carry names. An item's Click is
// its QAction::triggered.
class PopupMenu : public QMenu {
    Q_OBJECT
public:
    PopupMenu(QWidget* parent, const QString& name, const QString& caption);
    QAction* addItem(const QString& name, const QString& caption);
    PopupMenu* addSubmenu(const QString& name, const QString& caption);
    QAction* addNamedSeparator(const QString& name);
    // Pops the menu up at the mouse; returns at once.
    void popUpAtMouse();
};
