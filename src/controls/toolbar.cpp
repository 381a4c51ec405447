#include "controls/toolbar.h"

#include <QIcon>

ToolbarButton::ToolbarButton(QObject* parent, int index, const QString& key, const QString& toolTip)
    : QAction(parent), index_(index), key_(key) {
    setObjectName(QStringLiteral("Buttons(%1)").arg(index));
    setToolTip(toolTip);
    setText(toolTip);
}

Toolbar::Toolbar(QWidget* parent, const QString& name, ImageList* images) : QToolBar(parent), images_(images) {
    setObjectName(name);
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setContextMenuPolicy(Qt::PreventContextMenu);  // no menu to hide the toolbar
}

ToolbarButton* Toolbar::addButton(const QString& key, const QString& toolTip, const QString& imageKey) {
    auto* button = new ToolbarButton(this, int(buttons_.size()) + 1, key, toolTip);
    if (images_ && images_->Index(imageKey) != 0) button->setIcon(QIcon(images_->Picture(imageKey)));
    addAction(button);
    buttons_.append(button);
    connect(button, &QAction::triggered, this, [this, button] { emit ButtonClick(button); });
    return button;
}

ToolbarButton* Toolbar::addSeparatorButton() {
    auto* separator = new ToolbarButton(this, int(buttons_.size()) + 1, QString(), QString());
    separator->setSeparator(true);
    addAction(separator);
    buttons_.append(separator);
    return separator;
}

ToolbarButton* Toolbar::Buttons(int index) const {
    return index >= 1 && index <= buttons_.size() ? buttons_[index - 1] : nullptr;
}

QWidget* Toolbar::buttonWidget(int index) const {
    ToolbarButton* button = Buttons(index);
    return button ? widgetForAction(button) : nullptr;
}
