#include <gtest/gtest.h>

#include "support/help_windows.h"
#include "support/organizer_test.h"

namespace {

class HelpViewerTest : public OrganizerTest {
protected:
    // Opens a page from the Help Topics tree, as the user does.
    Form13& open(const QString& key) {
        Form12& topics = app().window<Form12>();
        topics.Show();
        QCoreApplication::processEvents();
        clickNode(topics.TreeView1, key);
        return app().window<Form13>();
    }
    static void press(CommandButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    static QString buttons(const Form13& viewer) {
        return QStringLiteral("<<%1 >>%2")
            .arg(viewer.Command2->isEnabled() ? "on" : "off", viewer.Command3->isEnabled() ? "on" : "off");
    }
};

TEST_F(HelpViewerTest, ForwardWalksTheThirtyFourPagesOverTheGapsAndBackwardWalksThemBack) {
    const std::vector<int> order{1,  11, 12, 13, 14, 15, 21, 22, 23, 24, 31, 32, 33, 34, 41, 51, 52,
                                 53, 61, 62, 63, 64, 65, 66, 71, 72, 73, 74, 75, 81, 82, 83, 84, 85};
    Form13& viewer = open("0-1");
    EXPECT_EQ(viewer.Caption(), "Velmora Organizer");
    EXPECT_EQ(buttons(viewer), "<<off >>on");
    for (CommandButton* button : {viewer.Command3, viewer.Command2}) {
        std::vector<int> walked{viewer.Text1->Text().toInt()};
        while (button->isEnabled() && walked.size() < 60) {
            press(button);
            walked.push_back(viewer.Text1->Text().toInt());
            ASSERT_EQ(visiblePages(viewer), std::vector<int>{walked.back()}) << "one page at a time, never a placeholder";
            const RichTextBox* box = viewer.HelpFile(walked.back());
            EXPECT_EQ(QRectF(box->Left(), box->Top(), box->Width(), box->Height()), QRectF(120, 600, 5775, 4335));
            EXPECT_GT(box->Text().size(), 100) << walked.back();
        }
        EXPECT_EQ(walked, button == viewer.Command3 ? order : std::vector<int>(order.rbegin(), order.rend()));
        EXPECT_EQ(buttons(viewer), button == viewer.Command3 ? "<<on >>off" : "<<off >>on");
    }
}

TEST_F(HelpViewerTest, PagesOpenedFromTheTreeGetTheirButtonStates) {
    Form13& viewer = open("8-5");
    EXPECT_EQ(buttons(viewer), "<<on >>off");
    press(viewer.Command2);
    EXPECT_EQ(viewer.Text1->Text(), "84");
    EXPECT_EQ(buttons(viewer), "<<on >>on");
    open("4-1");
    EXPECT_EQ(buttons(viewer), "<<on >>on");
    press(viewer.Command2);
    EXPECT_EQ(viewer.Text1->Text(), "34");

    // Coming back to the viewer from another window sets the buttons again.
    open("8-5");
    app().window<Form12>().Show();
    QCoreApplication::processEvents();
    viewer.Show();
    QCoreApplication::processEvents();
    EXPECT_EQ(buttons(viewer), "<<on >>off");
}

}  // namespace
