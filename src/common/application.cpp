#include "common/application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFont>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
Application* currentApplication = nullptr;

void useInstalledFonts() {
    // The windows name the fonts of their original platform; these are their
    // nearest installed twins.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
}
}  // namespace

Application::Seams Application::realSeams() {
    Seams seams;
    seams.clock = std::make_unique<SystemClock>();
    seams.messages = std::make_unique<QtMessageBox>();
    seams.openFile = std::make_unique<QtOpenFileDialog>();
    seams.end = [](int code) {
        std::fflush(nullptr);
        std::_Exit(code);
    };
    return seams;
}

Application::Application(Seams seams)
    : seams_(std::move(seams)),
      files_([this](const QString& text) { fail(text); }, [this](int number) { noteReplaced(number); }) {
    // The pictures are compiled into the organizer library; nothing there refers
    // to them, so the linker would leave them out unless they are asked for.
    Q_INIT_RESOURCE(assets);
    currentApplication = this;
    useInstalledFonts();
    QApplication::setQuitOnLastWindowClosed(false);  // the desk decides when the program ends
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &Application::focusWindowChanged);
    // Between two events of the user the files may have been changed from
    // outside; the next read of each checks.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { files_.recheckAll(); });
    // Before the user's next action, a file replaced under the program is
    // opened afresh and shown as it is now, so that the action works on it;
    // one found damaged is told before the action can write into it.
    qApp->installEventFilter(this);
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
        // Only between handlers: inside one (a message box waiting, a pause)
        // the windows are refilled once it has returned.
        // A press that came as a damaged file was told does not act on it.
        if (QThread::currentThread()->loopLevel() <= 1) {
            files_.checkFiles();
            if (tellReplaced()) return true;
        }
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void Application::noteReplaced(int number) {
    if (std::find(replaced_.begin(), replaced_.end(), number) != replaced_.end()) return;
    replaced_.push_back(number);
    if (replaced_.size() == 1) QMetaObject::invokeMethod(this, [this] { tellReplaced(); }, Qt::QueuedConnection);
}

bool Application::tellReplaced() {
    bool damaged = false;
    while (!replaced_.empty() && !ending_) {
        const int number = replaced_.front();
        replaced_.erase(replaced_.begin());
        damaged = damaged || !files_[number].damage().isEmpty();
        emit fileReplaced(number);
    }
    return damaged;
}

Application::~Application() {
    for (auto& [key, form] : windows_) delete form.data();
    windows_.clear();
    files_.closeAll();
    locks_.clear();
    if (currentApplication == this) currentApplication = nullptr;
}

Application& Application::current() {
    Q_ASSERT(currentApplication);
    return *currentApplication;
}

void Application::end(int exitCode) {
    files_.closeAll();
    locks_.clear();
    seams_.end(exitCode);
}

LockFile::Result Application::lock(const QString& path, QString* failure) {
    auto lock = std::make_unique<LockFile>(path);
    const LockFile::Result result = lock->lock();
    if (result == LockFile::Result::Locked)
        locks_[path] = std::move(lock);
    else if (failure)
        *failure = lock->failure();
    return result;
}

void Application::unlock(const QString& path) { locks_.erase(path); }

void Application::fail(const QString& text) {
    if (ending_) return;  // one message is enough; the program is going
    ending_ = true;
    message(text);
    end(1);
}

void Application::forgetWindow(Form* form) {
    for (auto it = windows_.begin(); it != windows_.end(); ++it) {
        if (it->second == form) {
            windows_.erase(it);
            break;
        }
    }
    if (lastActive_ == form) lastActive_ = nullptr;
}

void Application::focusWindowChanged(QWindow* window) {
    if (!window || window->flags().testFlag(Qt::WindowDoesNotAcceptFocus)) return;
    for (auto& [key, form] : windows_) {
        if (form && form->windowHandle() == window) {
            if (form != lastActive_) {
                lastActive_ = form;
                form->Form_Activate();
            }
            return;
        }
    }
}
