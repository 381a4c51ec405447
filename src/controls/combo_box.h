#pragma once
#include <QComboBox>

#include "controls/control.h"

// A combo box: a drop-down list (no typing) or a drop-down whose text can also
// be typed. Click runs when the user picks an item (also the one already
// chosen) and every time code sets the selection to an item, even the same
// one; clearing the list runs nothing. A hidden combo box serves as a plain list.
class ComboBox : public QComboBox, public Control {
    Q_OBJECT
public:
    enum class Style { DropdownList, DropdownCombo };
    ComboBox(QWidget* parent, const QString& name, Style style = Style::DropdownList);

    void AddItem(const QString& item);
    void Clear();
    int ListCount() const { return count(); }
    QString List(int index) const { return itemText(index); }
    // The selected position, -1 for none.
    int ListIndex() const { return currentIndex(); }
    void setListIndex(int index);
    // The selected item's text, or for a drop-down with typing its typed text.
    QString Text() const { return currentText(); }
    void setText(const QString& text);
    // Bounds what the user can type (a drop-down with typing only).
    void setMaxLength(int maxLength);

    // Picking an item as the user would.
    void pick(int index);

signals:
    void Click();
};
