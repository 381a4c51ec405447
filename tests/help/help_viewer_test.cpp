#include <gtest/gtest.h>

#include "help/help_topics.h"
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

TEST_F(HelpViewerTest, AFreshViewerHoldsFiftyFourHiddenPageBoxesAtTheirTiledPlaces) {
    Form13& viewer = app().window<Form13>();
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(viewer.Caption(), "Velmora Organizer");
    EXPECT_EQ(viewer.size(), QSize(471, 338));  // 7065 x 5070 twips
    EXPECT_TRUE(viewer.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(viewer.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(viewer.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(viewer.Command1->text(), "Index");
    EXPECT_EQ(viewer.Command2->text(), "<<");
    EXPECT_EQ(viewer.Command3->text(), ">>");
    EXPECT_EQ(viewer.Command3->geometry(), QRect(152, 8, 73, 25));
    EXPECT_EQ(viewer.Text1->Text(), "11");
    EXPECT_FALSE(viewer.Text1->Visible());

    int boxes = 0;
    for (int k = 0; k <= 90; ++k) {
        const int chapter = k / 10, topic = k % 10;
        RichTextBox* box = viewer.HelpFile(k);
        if (chapter > 8 || topic < 1 || topic > 6) {
            EXPECT_EQ(box, nullptr) << k;
            continue;
        }
        ASSERT_NE(box, nullptr) << k;
        ++boxes;
        EXPECT_EQ(viewer.findChild<RichTextBox*>(QStringLiteral("HelpFile(%1)").arg(k)), box);
        EXPECT_FALSE(box->Visible()) << k;
        EXPECT_EQ(QRectF(box->Left(), box->Top(), box->Width(), box->Height()),
                  QRectF(120 + 1080 * (topic - 1), 600 + 240 * chapter, 975, 255))
            << k;
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_FALSE(box->Text().isEmpty()) << "every box holds its document from the start";
    }
    EXPECT_EQ(boxes, 54);
}

TEST_F(HelpViewerTest, ForwardWalksTheThirtyFourPagesOverTheGapsAndBackwardWalksThemBack) {
    const std::vector<int> order{1,  11, 12, 13, 14, 15, 21, 22, 23, 24, 31, 32, 33, 34, 41, 51, 52,
                                 53, 61, 62, 63, 64, 65, 66, 71, 72, 73, 74, 75, 81, 82, 83, 84, 85};
    Form13& viewer = open("0-1");
    EXPECT_EQ(buttons(viewer), "<<off >>on");

    std::vector<int> forward{viewer.Text1->Text().toInt()};
    while (viewer.Command3->isEnabled() && forward.size() < 60) {
        press(viewer.Command3);
        forward.push_back(viewer.Text1->Text().toInt());
        ASSERT_EQ(visiblePages(viewer), std::vector<int>{forward.back()}) << "one page at a time, never a placeholder";
        const RichTextBox* box = viewer.HelpFile(forward.back());
        EXPECT_EQ(QRectF(box->Left(), box->Top(), box->Width(), box->Height()), QRectF(120, 600, 5775, 4335));
    }
    EXPECT_EQ(forward, order);
    EXPECT_EQ(buttons(viewer), "<<on >>off");

    std::vector<int> backward{viewer.Text1->Text().toInt()};
    while (viewer.Command2->isEnabled() && backward.size() < 60) {
        press(viewer.Command2);
        backward.push_back(viewer.Text1->Text().toInt());
        ASSERT_EQ(visiblePages(viewer), std::vector<int>{backward.back()});
    }
    EXPECT_EQ(backward, std::vector<int>(order.rbegin(), order.rend()));
    EXPECT_EQ(buttons(viewer), "<<off >>on");
}

TEST_F(HelpViewerTest, PagesOpenedFromTheTreeGetTheirButtonStates) {
    Form13& viewer = open("8-5");
    EXPECT_EQ(buttons(viewer), "<<on >>off");
    press(viewer.Command2);
    EXPECT_EQ(viewer.Text1->Text(), "84");
    EXPECT_EQ(buttons(viewer), "<<on >>on");

    open("0-1");
    EXPECT_EQ(buttons(viewer), "<<off >>on");
    press(viewer.Command3);
    EXPECT_EQ(viewer.Text1->Text(), "11");
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

TEST_F(HelpViewerTest, IndexHidesTheViewerWithItsPageUntilANodeShowsAnother) {
    Form13& viewer = open("6-3");
    press(viewer.Command1);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_TRUE(app().window<Form12>().isVisible());
    EXPECT_EQ(viewer.Text1->Text(), "63");
    EXPECT_EQ(visiblePages(viewer), std::vector<int>{63});

    open("2-2");
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.Text1->Text(), "22");
    EXPECT_EQ(visiblePages(viewer), std::vector<int>{22});
}

TEST_F(HelpViewerTest, ResizingLeavesButtonsAndPageInPlace) {
    Form13& viewer = open("5-2");
    const QRect button = viewer.Command3->geometry();
    const QRect page = viewer.HelpFile(52)->geometry();
    viewer.resize(700, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(viewer.Command3->geometry(), button);
    EXPECT_EQ(viewer.HelpFile(52)->geometry(), page);
}

}  // namespace
