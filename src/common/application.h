#pragma once
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "common/clock.h"
#include "common/form.h"
#include "common/lock_file.h"
#include "common/record_file.h"
#include "common/seams.h"

class QWindow;

// Everything that lives for the program's run: the seams to the outside
// (clock, message box, open-file dialog, the end of the program), the open
// record files, the one instance of every window kind and the state of the
// procedure modules. A test makes a fresh one and drops it at the end.
class Application : public QObject {
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("Velmora Organizer");

    struct Seams {
        std::unique_ptr<Clock> clock;
        std::unique_ptr<MessageSeam> messages;
        std::unique_ptr<OpenFileSeam> openFile;
        // Ends the program at once with the given exit code; does not return
        // in the real program.
        std::function<void(int)> end;
    };
    static Seams realSeams();

    explicit Application(Seams seams);
    ~Application() override;

    static Application& current();

    Clock& clock() { return *seams_.clock; }
    void message(const QString& text) { seams_.messages->show(text); }
    // A question the user answers Yes (true) or No.
    bool ask(const QString& text) { return seams_.messages->ask(text); }
    std::optional<QString> openFile(const QString& title, const QString& filter) {
        return seams_.openFile->open(title, filter);
    }
    FileTable& files() { return files_; }

    // Takes a lock file for this organizer, held until unlock() or the end of
    // the program. On failure, says why in the system's words.
    LockFile::Result lock(const QString& path, QString* failure = nullptr);
    void unlock(const QString& path);

    // Closes every record file, releases every lock, then ends the program.
    void end(int exitCode = 0);
    // A failure that the program cannot go on from: the message, then the end.
    void fail(const QString& text);
    // True once a failure has ended (or is ending) the program.
    bool ending() const { return ending_; }

    // The one instance of a window kind, created on first use (which runs its
    // Form_Load); it stays hidden until shown.
    template <class W>
    W& window() {
        const std::type_index key(typeid(W));
        if (auto it = windows_.find(key); it != windows_.end() && it->second) return *static_cast<W*>(it->second.data());
        auto* created = new W();
        windows_[key] = created;
        created->Form_Load();
        return *created;
    }
    // The instance if it exists, without creating it.
    template <class W>
    W* existingWindow() const {
        auto it = windows_.find(std::type_index(typeid(W)));
        return it == windows_.end() ? nullptr : static_cast<W*>(it->second.data());
    }
    // Called when a window closes: the next use creates it afresh.
    void forgetWindow(Form* form);
    // The window the program lives in (the desk): a dialog whose opener and
    // the windows it belongs to are all hidden belongs to it.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }
    QWidget* mainWindow() const { return mainWindow_; }
    // The window of the program that was active last, even while none is.
    Form* lastActiveWindow() const { return lastActive_; }
    // How many times the program has shown a window and made it the active
    // one: a change tells that it has handed the user over to a window.
    void noteWindowShown() { ++windowsShown_; }
    quint64 windowsShown() const { return windowsShown_; }

    // State of a procedure module, created on first use, dropped with the application.
    template <class T>
    T& state() {
        auto& slot = states_[std::type_index(typeid(T))];
        if (!slot) slot = std::make_shared<T>();
        return *static_cast<T*>(slot.get());
    }

signals:
    // The path of open record file `number` names another file now, which
    // has been opened in its place, or the file was found damaged after a
    // change from outside: what the windows show of it is to be read afresh
    // (a damaged one is to be given up). Told before the user's next press
    // of a key or button reaches a window, or else once the running handler
    // has returned.
    void fileReplaced(int number);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusWindowChanged(QWindow* window);
    void noteReplaced(int number);
    // Tells the files replaced, or found damaged, since the last time;
    // true when one of them is damaged.
    bool tellReplaced();

    Seams seams_;
    FileTable files_;
    std::map<QString, std::unique_ptr<LockFile>> locks_;
    std::unordered_map<std::type_index, QPointer<Form>> windows_;
    std::unordered_map<std::type_index, std::shared_ptr<void>> states_;
    QPointer<Form> lastActive_;
    quint64 windowsShown_ = 0;
    QPointer<QWidget> mainWindow_;
    bool ending_ = false;
    std::vector<int> replaced_;  // not yet told
};

inline Application& app() { return Application::current(); }
