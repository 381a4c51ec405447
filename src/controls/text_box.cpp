#include "controls/text_box.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
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
    }
    setText(text);
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

void TextBox::setMaxLength(int maxLength) {
    maxLength_ = maxLength;
    if (line_) line_->setMaxLength(maxLength > 0 ? maxLength : 32767);
}

// What the user types into a multi-line box past the maximum length is not
// taken (a single-line box bounds typing by itself).
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

void TextBox::setVerticalScrollBar(bool on) {
    if (multi_) multi_->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TextBox::typeText(const QString& text) {
    if (multi_) {
        multi_->insertPlainText(toShown(text));
    } else {
        line_->insert(text);
    }
}
