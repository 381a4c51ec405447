#pragma once
#include <QCollator>
#include <QComboBox>
#include <memory>

#include "controls/control.h"

// A combo box: a drop-down list (no typing) or a drop-down whose text can also
// be typed. Click runs when the user picks an item from the list (the mouse,
// or the arrow keys), also the one already chosen, and every time code sets
// the selection to an item, even the same one; typing a text, even one the
// list holds, and Enter after it pick nothing. Clearing the list runs
// nothing. A hidden combo box serves as a plain list.
//
// A sorted list keeps its items in ascending order of their whole text, letters
// compared without regard to case by the user's collation, whatever the order
// in which they are added; texts that differ only in case keep a fixed order.
//
// The list drops down below the box, whatever the desktop's style.
class ComboBox : public QComboBox, public Control {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int ListIndex READ ListIndex WRITE setListIndex)
    Q_PROPERTY(int ListCount READ ListCount)
    Q_PROPERTY(bool Sorted READ Sorted)
public:
    enum class Style { DropdownList, DropdownCombo };
    enum class Order { AsAdded, Sorted };
    ComboBox(QWidget* parent, const QString& name, Style style = Style::DropdownList, Order order = Order::AsAdded);
    ~ComboBox() override;

    bool Sorted() const { return collator_ != nullptr; }
    void AddItem(const QString& item);
    // Adds many items at once: as AddItem one by one, only faster.
    void AddItems(QStringList items);
    void Clear();
    int ListCount() const { return count(); }
    QString List(int index) const { return itemText(index); }
    // The selected position, -1 for none.
    int ListIndex() const { return currentIndex(); }
    void setListIndex(int index);
    // The selected item's text, or for a drop-down with typing its typed text.
    QString Text() const { return currentText(); }
    // A drop-down with typing takes any text; the list position follows it to
    // the item of that text, or to none. A drop-down list selects the item.
    void setText(const QString& text);
    // Bounds what the user can type (a drop-down with typing only).
    void setMaxLength(int maxLength);

    // Picking an item as the user would.
    void pick(int index);

signals:
    void Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool less(const QString& a, const QString& b) const;
    // Where a sorted list takes the item: after the items that do not follow it.
    int sortedPlace(const QString& item) const;

    std::unique_ptr<QCollator> collator_;  // a sorted list's order
};
