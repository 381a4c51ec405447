#include "controls/up_down.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {
QToolButton* arrowButton(QWidget* parent, const QString& name, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
}  // namespace

UpDown::UpDown(QWidget* parent, const QString& name) : QWidget(parent), Control(this, name) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    down_ = arrowButton(this, name + QStringLiteral(".down"), Qt::LeftArrow);
    up_ = arrowButton(this, name + QStringLiteral(".up"), Qt::RightArrow);
    layout->addWidget(down_);
    layout->addWidget(up_);
    connect(down_, &QToolButton::clicked, this, &UpDown::DownClick);
    connect(up_, &QToolButton::clicked, this, &UpDown::UpClick);
}
