#include "controls/popup_menu.h"

#include <QCursor>

PopupMenu::PopupMenu(QWidget* parent, const QString& name, const QString& caption) : QMenu(caption, parent) {
    setObjectName(name);
    menuAction()->setObjectName(name);
}

QAction* PopupMenu::addItem(const QString& name, const QString& caption) {
    QAction* action = addAction(caption);
    action->setObjectName(name);
    return action;
}

PopupMenu* PopupMenu::addSubmenu(const QString& name, const QString& caption) {
    auto* submenu = new PopupMenu(this, name, caption);
    addMenu(submenu);
    return submenu;
}

QAction* PopupMenu::addNamedSeparator(const QString& name) {
    QAction* separator = addSeparator();
    separator->setObjectName(name);
    return separator;
}

void PopupMenu::popUpAtMouse() { popup(QCursor::pos()); }
