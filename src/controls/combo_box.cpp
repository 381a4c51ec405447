#include "controls/combo_box.h"

#include <QKeyEvent>
#include <QLineEdit>

ComboBox::ComboBox(QWidget* parent, const QString& name, Style style) : QComboBox(parent), Control(this, name) {
    setEditable(style == Style::DropdownCombo);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(12);
    if (QLineEdit* edit = lineEdit()) {
        // Typed text stays typed text: no completion, and neither Enter nor
        // leaving the box turns a typed item text into a pick.
        setCompleter(nullptr);
        disconnect(edit, &QLineEdit::editingFinished, this, nullptr);
        edit->installEventFilter(this);
    }
    // A user's pick, also of the item already chosen.
    connect(this, &QComboBox::activated, this, [this](int) { emit Click(); });
}

bool ComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    }
    return QComboBox::eventFilter(watched, event);
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
        setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
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
