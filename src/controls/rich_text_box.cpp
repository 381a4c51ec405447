#include "controls/rich_text_box.h"

#include "controls/rtf_reader.h"

RichTextBox::RichTextBox(QWidget* parent, const QString& name) : QTextEdit(parent), Control(this, name) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);  // no caret; the keys scroll the page
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setUndoRedoEnabled(false);
}

RichTextBox::RichTextBox(QWidget* parent, const QString& arrayName, int index)
    : RichTextBox(parent, QStringLiteral("%1(%2)").arg(arrayName).arg(index)) {
    index_ = index;
}

void RichTextBox::LoadRTF(const QByteArray& rtf) {
    rtf_ = rtf;
    Rtf::read(rtf_, *document());
    moveCursor(QTextCursor::Start);  // the page shows from its top
}
