#include "controls/combo_box.h"

#include <QLineEdit>

ComboBox::ComboBox(QWidget* parent, const QString& name, Style style) : QComboBox(parent), Control(this, name) {
    setEditable(style == Style::DropdownCombo);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(12);
    // A user's pick, also of the item already chosen.
    connect(this, &QComboBox::activated, this, [this](int) { emit Click(); });
}

void ComboBox::AddItem(const QString& item) {
    const QString typed = isEditable() ? currentText() : QString();
    const QSignalBlocker block(this);
    addItem(item);
    if (count() != 1) return;
    // Adding the first item selects nothing: a list keeps no selection, and
    // a drop-down with typing keeps its typed text.
    setCurrentIndex(-1);
    if (isEditable()) setEditText(typed);
}

void ComboBox::Clear() {
    const QString typed = isEditable() ? currentText() : QString();
    const QSignalBlocker block(this);
    clear();
    if (isEditable()) setEditText(typed);
}

void ComboBox::setListIndex(int index) {
    {
        const QSignalBlocker block(this);
        setCurrentIndex(index);
    }
    if (index >= 0 && index < count()) emit Click();
}

void ComboBox::setText(const QString& text) {
    if (isEditable()) {
        const QSignalBlocker block(this);
        setEditText(text);
        return;
    }
    const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) setListIndex(index);
}

void ComboBox::setMaxLength(int maxLength) {
    if (lineEdit()) lineEdit()->setMaxLength(maxLength);
}

void ComboBox::pick(int index) {
    {
        const QSignalBlocker block(this);
        setCurrentIndex(index);
    }
    emit activated(index);
}
