#include "controls/text_box.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QValidator>
#include <functional>

namespace {
// A validator that leaves the decision to the box.
class Bound : public QValidator {
public:
    using Check = std::function<void(QString& input, int& position)>;
    Bound(QObject* parent, Check check) : QValidator(parent), check_(std::move(check)) {}
    State validate(QString& input, int& position) const override {
        check_(input, position);
        return Acceptable;
    }

private:
    Check check_;
};

QString toStored(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n")); }
QString toShown(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n'); }
}  // namespace

TextBox::TextBox(QWidget* parent, const QString& name, const QString& text, Lines lines)
    : QWidget(parent), Control(this, name) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (lines == Lines::Multi) {
        multi_ = new QPlainTextEdit(this);
        multi_->setObjectName(name + QStringLiteral(".edit"));
        multi_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        multi_->setTabChangesFocus(true);  // Tab goes on to the next control, as in a one-line box
        multi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        layout->addWidget(multi_);
        setFocusProxy(multi_);
        connect(multi_, &QPlainTextEdit::textChanged, this, [this] {
            if (!settingText_) userEdited();
            textChanged();
        });
    } else {
        line_ = new QLineEdit(this);
        line_->setObjectName(name + QStringLiteral(".edit"));
        layout->addWidget(line_);
        setFocusProxy(line_);
        connect(line_, &QLineEdit::textChanged, this, [this] { textChanged(); });
        line_->setValidator(new Bound(line_, [this](QString& input, int& position) { bound(input, position); }));
    }
    setText(text);
}

// The editor outlives this part of the box (the widget deletes its children
// later): from here on nothing of the editor reaches the box.
TextBox::~TextBox() {
    if (line_) {
        line_->setValidator(nullptr);
        line_->disconnect(this);
    }
    if (multi_) multi_->disconnect(this);
}

QString TextBox::rawText() const { return multi_ ? toStored(multi_->toPlainText()) : line_->text(); }

QString TextBox::Text() const { return rawText(); }

void TextBox::setText(const QString& text) {
    settingText_ = true;
    if (multi_)
        multi_->setPlainText(toShown(text));
    else
        line_->setText(text);
    settingText_ = false;
    textChanged();
}

void TextBox::setMaxLength(int maxLength) { maxLength_ = maxLength; }

// What the user types into a multi-line box past the maximum length is not
// taken (a single-line box is bounded by its validator, bound()).
void TextBox::userEdited() {
    if (maxLength_ <= 0 || rawText().size() <= maxLength_) return;
    settingText_ = true;
    {
        QTextCursor cursor = multi_->textCursor();
        const int position = cursor.position();
        const int excess = int(rawText().size() - maxLength_);
        cursor.setPosition(qMax(0, position - excess));
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        while (rawText().size() > maxLength_ && cursor.position() > 0) cursor.deletePreviousChar();  // CR LF counts two
        multi_->setTextCursor(cursor);
    }
    settingText_ = false;
}

// What the user types or pastes into a single-line box past the maximum
// length is not taken. A longer text set by code stays whole: the user may
// shorten it, not lengthen it.
void TextBox::bound(QString& input, int& position) const {
    if (settingText_ || maxLength_ <= 0) return;
    const qsizetype allowed = qMax<qsizetype>(maxLength_, lastText_.size());
    if (input.size() <= allowed) return;
    const int from = int(qMax<qsizetype>(0, position - (input.size() - allowed)));
    input.remove(from, position - from);
    position = from;
    if (input.size() > allowed) input.truncate(allowed);
}

void TextBox::textChanged() {
    if (settingText_) return;
    const QString now = rawText();
    if (now == lastText_) return;
    lastText_ = now;
    emit Change();
}

void TextBox::setLocked(bool locked) {
    if (multi_)
        multi_->setReadOnly(locked);
    else
        line_->setReadOnly(locked);
}

void TextBox::setVerticalScrollBar(ScrollBar bar) {
    if (!multi_) return;
    multi_->setVerticalScrollBarPolicy(bar == ScrollBar::Always     ? Qt::ScrollBarAlwaysOn
                                       : bar == ScrollBar::AsNeeded ? Qt::ScrollBarAsNeeded
                                                                    : Qt::ScrollBarAlwaysOff);
    if (bar != ScrollBar::Always) return;
    QScrollBar* scrollBar = multi_->verticalScrollBar();
    const auto followText = [scrollBar] { scrollBar->setEnabled(scrollBar->maximum() > scrollBar->minimum()); };
    connect(scrollBar, &QScrollBar::rangeChanged, scrollBar, followText);
    followText();
}

void TextBox::typeText(const QString& text) {
    if (multi_) {
        multi_->insertPlainText(toShown(text));
    } else {
        line_->insert(text);
    }
}
