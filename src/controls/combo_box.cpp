#include "controls/combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QStringListModel>
#include <algorithm>

namespace {
// The user's collation. The C locale has none of its own (its order would tell
// the cases apart), so it takes that of English.
std::unique_ptr<QCollator> listCollator() {
    QLocale locale;
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
    auto collator = std::make_unique<QCollator>(locale);
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// The first eight characters, case-folded, as one number that orders as they
// do; characters beyond the first 256 all count as one.
quint64 foldedPrefix(const QString& text) {
    quint64 prefix = 0;
    for (qsizetype i = 0; i < 8; ++i) {
        char16_t c = i < text.size() ? text[i].unicode() : 0;
        if (c >= u'A' && c <= u'Z') c += u'a' - u'A';
        prefix = prefix << 8 | (c < 0x100 ? c : 0xFF);
    }
    return prefix;
}

// Nearly the order of the collation, cheaply: case-folded texts compared
// character by character, mostly as numbers.
QStringList foldedOrder(QStringList items) {
    std::vector<std::pair<quint64, qsizetype>> order;
    order.reserve(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i) order.emplace_back(foldedPrefix(items[i]), i);
    std::sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        return items[a.second].compare(items[b.second], Qt::CaseInsensitive) < 0;
    });
    QStringList sorted;
    sorted.reserve(items.size());
    for (const auto& [prefix, i] : order) sorted.append(std::move(items[i]));
    return sorted;
}

// Sorts by `less` in about as many comparisons as there are items when they
// come nearly in order: the ascending runs they form are merged pairwise.
template <class Less>
void sortNearlySorted(QStringList& items, Less less) {
    std::vector<qsizetype> bounds{0};
    for (qsizetype i = 1; i < items.size(); ++i)
        if (less(items[i], items[i - 1])) bounds.push_back(i);
    bounds.push_back(items.size());
    while (bounds.size() > 2) {
        std::vector<qsizetype> merged{0};
        for (size_t run = 0; run + 1 < bounds.size(); run += 2) {
            if (run + 2 < bounds.size()) {
                std::inplace_merge(items.begin() + bounds[run], items.begin() + bounds[run + 1],
                                   items.begin() + bounds[run + 2], less);
                merged.push_back(bounds[run + 2]);
            } else {
                merged.push_back(bounds[run + 1]);
            }
        }
        bounds = std::move(merged);
    }
}

// The style of the desktop, but for where a drop-down list opens: below its
// box, as the classic controls do, never over it with the current item placed
// on the box (where a second click meant for the box would pick an item).
class ListBelowBoxStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* listBelowBoxStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new ListBelowBoxStyle(QApplication::style()->name());
        style->setParent(qApp);  // goes with the application
    }
    return style;
}
}  // namespace

ComboBox::ComboBox(QWidget* parent, const QString& name, Style style, Order order)
    : QComboBox(parent), Control(this, name) {
    setStyle(listBelowBoxStyle());
    if (order == Order::Sorted) {
        collator_ = listCollator();
        // Plain texts only: a long list is filled and emptied in one step. The
        // user picks from it but does not edit it.
        setModel(new QStringListModel(this));
        view()->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
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

ComboBox::~ComboBox() = default;

bool ComboBox::less(const QString& a, const QString& b) const {
    const int order = collator_->compare(a, b);
    return order != 0 ? order < 0 : a < b;
}

int ComboBox::sortedPlace(const QString& item) const {
    int low = 0, high = count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (less(item, itemText(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

void ComboBox::AddItem(const QString& item) {
    const QString typed = isEditable() ? currentText() : QString();
    const QSignalBlocker block(this);
    insertItem(collator_ ? sortedPlace(item) : count(), item);
    if (count() != 1) return;
    // Adding the first item selects nothing: a list keeps no selection, and
    // a drop-down with typing keeps its typed text.
    setCurrentIndex(-1);
    if (isEditable()) setEditText(typed);
}

void ComboBox::AddItems(QStringList items) {
    if (count() > 0 || items.isEmpty()) {
        for (const QString& item : items) AddItem(item);
        return;
    }
    const QString typed = isEditable() ? currentText() : QString();
    const QSignalBlocker block(this);
    if (collator_) {
        // The collation costs more than a comparison of case-folded texts,
        // whose order is mostly the same: that order first, then the collation
        // puts right what differs (punctuation, accented letters).
        items = foldedOrder(std::move(items));
        sortNearlySorted(items, [this](const QString& a, const QString& b) { return less(a, b); });
        static_cast<QStringListModel*>(model())->setStringList(items);
    } else {
        insertItems(0, items);
    }
    // As after AddItem, nothing is selected.
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
