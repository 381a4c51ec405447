#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "common/application.h"
#include "common/seams.h"

namespace {

// The message box as the user meets it: it belongs to the window the user
// works in (it stays in front of it), it is wide enough for its whole caption
// beside the window manager's buttons however short its text, and after OK
// that window is the active one again.
TEST(MessageBox, BelongsToTheActiveWindowShowsItsWholeCaptionAndGivesTheActivationBack) {
    QWidget window;
    window.setWindowFlags(Qt::Tool);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QWindow* owner = nullptr;
    int width = 0;
    QString caption;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        owner = box->windowHandle()->transientParent();
        width = box->width();
        caption = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    });
    QtMessageBox().show(QStringLiteral("Form Incomplete"));

    EXPECT_EQ(owner, window.windowHandle());
    EXPECT_EQ(caption, Application::Title);
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    // The caption, an icon and three buttons.
    EXPECT_GE(width, QFontMetrics(titleFont).horizontalAdvance(caption) + 4 * 24);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

}  // namespace
