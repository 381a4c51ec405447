#pragma once
#include <QTextEdit>

#include "controls/control.h"

// A box that shows a Rich Text Format document, with a vertical scroll bar
// when the document is longer than the box. The reader can select and copy
// the text with the mouse but not change it. An element of a control array carries its index
// in its name, e.g. "HelpFile(25)".
class RichTextBox : public QTextEdit, public Control {
    Q_OBJECT
    Q_PROPERTY(QString TextRTF READ TextRTF WRITE setTextRTF)
    Q_PROPERTY(QString Text READ Text)
public:
    RichTextBox(QWidget* parent, const QString& name);
    RichTextBox(QWidget* parent, const QString& arrayName, int index);

    // The element's index in its control array, -1 for a single box.
    int Index() const { return index_; }

    // The document as Rich Text Format, and its plain text.
    QString TextRTF() const { return QString::fromLatin1(rtf_); }
    void setTextRTF(const QString& rtf) { LoadRTF(rtf.toLatin1()); }
    void LoadRTF(const QByteArray& rtf);
    QString Text() const { return toPlainText(); }

private:
    QByteArray rtf_;
    int index_ = -1;
};
