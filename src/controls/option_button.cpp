#include "controls/option_button.h"

OptionButton::OptionButton(QWidget* parent, const QString& name, const QString& caption)
    : QRadioButton(caption, parent), Control(this, name) {
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on) emit Click();
    });
}
