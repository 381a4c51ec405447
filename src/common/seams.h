#pragma once
#include <QList>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <optional>

class QWindow;

// The message box with the application's title: OK only, or a question
// answered Yes (true) or No.
class MessageSeam {
public:
    virtual ~MessageSeam() = default;
    virtual void show(const QString& text) = 0;
    virtual bool ask(const QString& text) = 0;
};

// The open-file dialog: a title, a filter "Description|*.a;*.b", and the chosen
// path, or nothing when the user cancels.
class OpenFileSeam {
public:
    virtual ~OpenFileSeam() = default;
    virtual std::optional<QString> open(const QString& title, const QString& filter) = 0;
};

// The message box on the screen. Boxes raised one after another, before the
// program waits for the user again, make a run (between two boxes no window
// is active). Every box of a run belongs to the window the user was working
// in when the run began, or, once that window is hidden, to the window it
// belongs to; that window is active again when the run is over, with the
// focus where it was, unless the program has shown another window since the
// last box: the user stays with that one.
class QtMessageBox : public MessageSeam {
public:
    QtMessageBox();
    void show(const QString& text) override;
    bool ask(const QString& text) override;

private:
    // Shows a box of the run and waits for its answer: true for OK or Yes.
    bool exec(const QString& text, bool question);
    QWindow* runOwner() const;
    void endRun();

    // The window the user works in, then the windows it belongs to; empty
    // between runs.
    QList<QPointer<QWindow>> run_;
    int showing_ = 0;  // boxes waiting for their OK, one inside another's wait
    quint64 windowsShownAtLastOk_ = 0;
    QTimer runEnd_;    // the run is over when the program waits for the user again
};

class QtOpenFileDialog : public OpenFileSeam {
public:
    std::optional<QString> open(const QString& title, const QString& filter) override;
    // "Picture Files (*.bmp;*.jpg)|*.bmp;*.jpg" in the form the Qt dialog takes.
    static QString qtFilter(const QString& filter);
};
