#include "controls/mdi_form.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "common/twips.h"
#include "controls/popup_menu.h"
#include "controls/toolbar.h"

MdiForm::MdiForm(const QString& name) : Form(name) {
    area_ = new QMdiArea(this);
    area_->setObjectName(name + QStringLiteral(".area"));
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
}

PopupMenu* MdiForm::addMenu(const QString& name, const QString& caption) {
    auto* menu = new PopupMenu(this, name, caption);
    menuBar()->addMenu(menu);
    return menu;
}

void MdiForm::addToolbar(Toolbar* toolbar) { addToolBar(Qt::TopToolBarArea, toolbar); }

float MdiForm::OuterWidth() const { return float(Twips::fromPixels(frameGeometry().width())); }
float MdiForm::OuterHeight() const { return float(Twips::fromPixels(frameGeometry().height())); }

void MdiForm::setClientSize(int widthTwips, int heightTwips) {
    resize(Twips::toPixels(widthTwips), Twips::toPixels(heightTwips) + menuBar()->sizeHint().height());
}

void MdiForm::setLocked(bool locked) {
    if (locked == !isEnabled()) return;
    if (locked) {
        // Disabling takes the focus away from the window for good: where it
        // was is kept here.
        activeBeforeLock_ = area_->activeSubWindow();
        focusBeforeLock_ = focusWidget();
        setEnabled(false);
        return;
    }
    setEnabled(true);
    if (activeBeforeLock_ && activeBeforeLock_->isVisible()) area_->setActiveSubWindow(activeBeforeLock_);
    if (focusBeforeLock_) focusBeforeLock_->setFocus(Qt::OtherFocusReason);
}

void MdiForm::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    emit Resize();
}

void MdiForm::changeEvent(QEvent* event) {
    Form::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) emit Resize();
}

MdiChildForm::MdiChildForm(const QString& name, MdiForm& parent) : Form(name), parent_(parent) {
    setFrame(Border::Sizable, false);
}

void MdiChildForm::showCreated(int widthTwips, int heightTwips) {
    sub_ = parent_.area()->addSubWindow(this);
    sub_->setObjectName(objectName() + QStringLiteral(".window"));
    // Added windows get a system menu with "Close"; these have neither.
    sub_->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowMinMaxButtonsHint);
    sub_->setSystemMenu(nullptr);
    sub_->resize(Twips::toPixels(widthTwips), Twips::toPixels(heightTwips));
    QWidget::setVisible(true);  // shown inside the sub-window, which decides what the user sees
    setVisible(true);
}

void MdiChildForm::setVisible(bool visible) {
    if (!sub_) {
        // Not yet inside the area: a child window never shows on its own.
        if (!visible) QWidget::setVisible(false);
        return;
    }
    if (!visible) {
        sub_->hide();
        return;
    }
    if (sub_->isHidden()) sub_->show();
    sub_->raise();
    parent_.area()->setActiveSubWindow(sub_);
    // A window without a control that takes the focus keeps it itself, so
    // that the focus coming back to the parent does not bring another child
    // window to the front.
    QWidget* focus = window()->focusWidget();
    if (!focus || !sub_->isAncestorOf(focus)) sub_->setFocus(Qt::OtherFocusReason);
}

void MdiChildForm::ShowMaximized() {
    Show();
    if (!sub_) return;
    // A minimized sub-window does not go straight to maximized (it would
    // come back at normal size): it is restored first.
    if (sub_->isMinimized()) sub_->showNormal();
    sub_->showMaximized();
}

bool MdiChildForm::isMaximizedState() const { return sub_ && sub_->isMaximized(); }
