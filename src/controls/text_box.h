#pragma once
#include <QWidget>

#include "controls/control.h"

class QLineEdit;
class QPlainTextEdit;

// A text box, single- or multi-line. Change runs whenever its text changes,
// by the user or by code. A maximum length (0 = none) bounds what the user can
// type or paste, not a text set by code; a multi-line box holds its line
// breaks as CR LF, each counting two characters.
class TextBox : public QWidget, public Control {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
public:
    enum class Lines { Single, Multi };
    TextBox(QWidget* parent, const QString& name, const QString& text = {}, Lines lines = Lines::Single);
    ~TextBox() override;

    QString Text() const;
    void setText(const QString& text);
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int maxLength);
    // Locked: the user can read and select but not change the text.
    void setLocked(bool locked);
    // The vertical scroll bar of a multi-line box. None: the text scrolls with
    // the caret only. AsNeeded: a bar while the text is longer than the box.
    // Always: the classic box's bar, always shown and disabled while the text
    // fits. Set once, when the box is made.
    enum class ScrollBar { None, AsNeeded, Always };
    void setVerticalScrollBar(ScrollBar bar);

    // Typing as the user would (replaces the selection, respects the maximum length).
    void typeText(const QString& text);

signals:
    void Change();

private:
    QString rawText() const;
    void userEdited();
    void bound(QString& input, int& position) const;
    void textChanged();

    QLineEdit* line_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
    int maxLength_ = 0;
    QString lastText_;
    bool settingText_ = false;
};
