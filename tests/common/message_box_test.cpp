#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "common/application.h"
#include "common/seams.h"
#include "common/window_owner.h"
#include "support/organizer_test.h"
#include "support/window_manager.h"

namespace {

// A window the user works in, and a tool window of its with two text boxes.
struct Workspace : Form {
    Workspace() : Form(QStringLiteral("Workspace")) {}
};
struct OtherWindow : Form {
    OtherWindow() : Form(QStringLiteral("OtherWindow")) {}
};
struct ToolWindow : Form {
    QLineEdit* first = new QLineEdit(this);
    QLineEdit* second = new QLineEdit(this);
    ToolWindow() : Form(QStringLiteral("ToolWindow")) { setFrame(Border::FixedTool, true); }
};

// The message boxes as the user meets them, answered with OK as each shows.
class MessageBoxTest : public OrganizerTest {
protected:
    void SetUp() override {
        OrganizerTest::SetUp();
        answering.callOnTimeout([this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            owners << WindowOwner::ownerOnWindowSystem(*box);
            widths << box->width();
            EXPECT_EQ(box->windowTitle(), Application::Title);
            box->button(QMessageBox::Ok)->click();
            if (focusAfterOk) WindowManager::focus(*focusAfterOk);
        });
        answering.start(0);
    }

    QtMessageBox boxes;
    QTimer answering;
    QList<QWindow*> owners;
    QList<int> widths;
    QWidget* focusAfterOk = nullptr;  // where the window manager puts the focus when a box goes
};

// Boxes raised one after another (as alarms are) all belong to the window the
// user works in, whichever window the window manager gives the focus to
// between two boxes. That window is active again after the last OK, with the
// focus where it was. A box is wide enough
// for its whole caption beside the window manager's buttons, however short
// its text. A run that a window raises as it steps aside (hides) belongs to
// the window that one belongs to.
TEST_F(MessageBoxTest, EveryBoxOfARunBelongsToTheWindowTheUserWorksInWhichIsActiveAgainAfterIt) {
    Workspace& workspace = app().window<Workspace>();
    workspace.Show();
    ToolWindow& tool = app().window<ToolWindow>();
    tool.Show(workspace);
    tool.second->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tool));

    focusAfterOk = &workspace;
    for (const char* text : {"Balance above", "Balance below", "Form Incomplete"}) boxes.show(QString::fromLatin1(text));
    EXPECT_EQ(owners, QList<QWindow*>(3, tool.windowHandle()));
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    // The caption, an icon and three buttons.
    EXPECT_GE(widths.value(2), QFontMetrics(titleFont).horizontalAdvance(Application::Title) + 4 * 24);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&tool));
    EXPECT_EQ(QApplication::focusWidget(), tool.second);

    owners.clear();
    tool.hide();
    boxes.show(QStringLiteral("Nothing was saved."));
    boxes.show(QStringLiteral("Balance below"));
    EXPECT_EQ(owners, QList<QWindow*>(2, workspace.windowHandle()));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&workspace));
}

// A handler that shows a box, then hides its window and shows another (as
// the appointment dialog's OK shows the Activities window after its message)
// leaves the user in the window it showed: the end of the run does not bring
// the box's owner back in front of it.
TEST_F(MessageBoxTest, AWindowShownAfterTheLastBoxStaysTheActiveOne) {
    Workspace& workspace = app().window<Workspace>();
    workspace.Show();
    ToolWindow& tool = app().window<ToolWindow>();
    tool.Show(workspace);
    ASSERT_TRUE(waitForKeys(tool));

    boxes.show(QStringLiteral("This appointment was deleted while it was being edited; the changes were not saved."));
    tool.hide();
    OtherWindow& other = app().window<OtherWindow>();
    other.Show();
    EXPECT_TRUE(waitForKeys(other));
    idle();
    idle();
    EXPECT_EQ(QApplication::activeWindow(), &other);
    EXPECT_EQ(QGuiApplication::focusWindow(), other.windowHandle());
}

}  // namespace
