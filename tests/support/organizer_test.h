#pragma once
#include <gtest/gtest.h>

#include <QDir>
#include <QEventLoop>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <memory>

#include "common/application.h"
#include "common/window_owner.h"

// Seams that tests answer: the message box records its texts and answers
// questions as queued (No once none is queued), the open-file
// dialog gives queued answers (nothing queued, or an empty answer: cancel), and the end of the
// program is recorded instead of ending the test.
struct RecordingMessages : MessageSeam {
    QStringList texts;
    std::function<void()> onShow;  // runs as the message shows, before the program goes on
    void show(const QString& text) override {
        texts << text;
        if (onShow) onShow();
    }
    QStringList questions;
    QList<bool> answers;
    bool ask(const QString& text) override {
        questions << text;
        return !answers.isEmpty() && answers.takeFirst();
    }
};

struct AnsweringFileDialog : OpenFileSeam {
    QStringList answers;  // an empty answer cancels
    QStringList titles, filters;
    std::optional<QString> open(const QString& title, const QString& filter) override {
        titles << title;
        filters << filter;
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        if (answer.isEmpty()) return std::nullopt;
        return answer;
    }
};

// A fresh organizer for every test: an empty temporary data directory as the
// current directory, a fake clock, and the answering seams. Nothing is started
// until the test asks for a window.
class OrganizerTest : public ::testing::Test {
protected:
    static QDateTime defaultNow() { return QDateTime(QDate(2024, 3, 7), QTime(9, 30, 0)); }

    void SetUp() override {
        ASSERT_TRUE(dataDir.isValid());
        previousDir = QDir::currentPath();
        QDir::setCurrent(dataDir.path());
        makeApplication();
    }

    void TearDown() override {
        application.reset();
        QDir::setCurrent(previousDir);
    }

    void makeApplication() {
        application.reset();
        auto clockOwned = std::make_unique<FakeClock>(defaultNow());
        auto messagesOwned = std::make_unique<RecordingMessages>();
        auto dialogOwned = std::make_unique<AnsweringFileDialog>();
        clock = clockOwned.get();
        messages = messagesOwned.get();
        fileDialog = dialogOwned.get();
        endCodes.clear();
        Application::Seams seams{std::move(clockOwned), std::move(messagesOwned), std::move(dialogOwned),
                                 [this](int code) { endCodes.push_back(code); }};
        application = std::make_unique<Application>(std::move(seams));
    }

    QString dataPath(const QString& fileName) const { return dataDir.filePath(fileName); }
    QByteArray fileBytes(const QString& fileName) const {
        QFile f(dataPath(fileName));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool programEnded() const { return !endCodes.empty(); }

    // The window that a window belongs to on the window system, which keeps
    // it in front of that one: none for a window of its own.
    static QWindow* ownerOf(const QWidget& window) { return WindowOwner::ownerOnWindowSystem(window); }

    // Waits until the window takes the keys. (A dialog reads as active as soon
    // as the window it belongs to is, so waiting for it to be active is not enough.)
    static bool waitForKeys(const QWidget& window) {
        return QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; });
    }

    // The program waits for the user once: its event loop goes idle.
    static void idle() {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
    }

    QTemporaryDir dataDir;
    QString previousDir;
    FakeClock* clock = nullptr;
    RecordingMessages* messages = nullptr;
    AnsweringFileDialog* fileDialog = nullptr;
    std::vector<int> endCodes;
    std::unique_ptr<Application> application;
};
