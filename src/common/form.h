#pragma once
#include <QMainWindow>

// A window of the program: one instance per kind, reached through the
// application object. Creation runs Form_Load; activation by another window of
// the program runs Form_Activate; closing by the close box runs Form_Unload and
// destroys the window. A window without a close box refuses to be closed, and
// so does a window while it is disabled. Hiding keeps a window, also where
// the user left it: only its first showing is placed by the window manager.
//
// Every window is a main window, so that a window holding a menu bar and an
// area of child windows shows a maximized child the way the system does: the
// child's buttons in the menu bar and its caption after the window's own.
class Form : public QMainWindow {
    Q_OBJECT
public:
    explicit Form(const QString& name, QWidget* parent = nullptr);

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload() {}

    // The caption as the program set it; the title bar may show more (a
    // maximized child window's caption after it).
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption) {
        caption_ = caption;
        setWindowTitle(caption);
    }

    // Shows modeless, raised and active (raised only, for a window that takes
    // no activation).
    void Show();
    // Shows a tool window or dialog as one that belongs to the window of
    // `opener` (see WindowOwner): the window system keeps it in front of that
    // window and brings it to the front with it, also when it was showing for
    // another window. It is neither disabled nor destroyed with it.
    void Show(const QWidget& opener);
    // Brings a minimized or maximized window back to normal size.
    void setNormalState();
    // The input that has the keyboard focus each time the window shows, not
    // the control the user left it in (a dialog starts in its first box).
    void setFirstInput(QWidget* input) { firstInput_ = input; }
    // Runs Form_Unload and destroys the window; the next use creates it afresh.
    void Unload();

protected:
    // Fixed and Sizable: a window of its own. FixedDialog and FixedTool (a
    // narrow title bar): a dialog or tool window, which belongs to the window
    // that shows it (Show(opener)). None: no border or title bar.
    enum class Border { Fixed, FixedDialog, Sizable, FixedTool, None };
    // The window's border and title-bar buttons; the client area in twips.
    void setFrame(Border border, bool closeBox, bool minimizeBox = false, bool maximizeBox = false);
    void setClientSize(int widthTwips, int heightTwips);
    // The window shows on top of the others without taking the activation
    // from the window the user works in, and it never counts as the active
    // window of the program.
    void setTakesNoActivation();
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QString caption_;
    QWidget* firstInput_ = nullptr;
    bool closeBox_ = true;
    Border border_ = Border::Sizable;
};
