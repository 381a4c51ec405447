#include <gtest/gtest.h>

#include <QPointer>
#include <QSet>

#include "desk/module2.h"
#include "support/desk_start.h"
#include "support/help_windows.h"

namespace {

class HelpTopicsTest : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        desk = &startDesk();
    }
    Form12& openTopics() {
        desk->HTopics->trigger();
        QCoreApplication::processEvents();
        return app().window<Form12>();
    }
    static QString picturesOf(const TreeView* tree, const QStringList& keys) {
        QStringList out;
        for (const QString& key : keys) out << key + u'=' + QString::number(tree->Node(key)->Image());
        return out.join(u' ');
    }
    Desk* desk = nullptr;
};

struct Row {
    const char* parent;
    const char* key;
    const char* text;
    int picture;
};

const Row Expected[] = {
    {"", "Org", "Velmora Organizer", 1},
    {"Org", "0-1", "Getting Started", 3},
    {"Org", "C", "Calendar", 1},
    {"C", "1-1", "How to add an appointment", 3},
    {"C", "1-2", "How to view an appointment", 3},
    {"C", "1-3", "How to edit an appointment", 3},
    {"C", "1-4", "How to delete an appointment", 3},
    {"C", "1-5", "How to view the schedule for a specific day", 3},
    {"Org", "N", "Notes", 1},
    {"N", "2-1", "How to add a note", 3},
    {"N", "2-2", "How to view a note", 3},
    {"N", "2-3", "How to edit a note", 3},
    {"N", "2-4", "How to delete a note", 3},
    {"Org", "A", "Address Book", 1},
    {"A", "3-1", "How to add an entry", 3},
    {"A", "3-2", "How to view an entry", 3},
    {"A", "3-3", "How to edit an entry", 3},
    {"A", "3-4", "How to delete an entry", 3},
    {"Org", "Bank", "Personal Finances", 1},
    {"Bank", "4-1", "Pursewell Overview", 3},
    {"Bank", "PFolio", "Portfolios", 1},
    {"PFolio", "5-1", "Portfolios Overview", 3},
    {"PFolio", "5-2", "Creating a New Portfolio", 3},
    {"PFolio", "5-3", "Opening an Existing Portfolio", 3},
    {"Bank", "Trans", "Transactions", 1},
    {"Trans", "6-1", "Transactions Overview", 3},
    {"Trans", "6-2", "Adding Transactions", 3},
    {"Trans", "6-3", "Viewing Transactions", 3},
    {"Trans", "6-4", "Deleting Transactions", 3},
    {"Trans", "6-5", "Editing Transactions", 3},
    {"Trans", "6-6", "Account Balances", 3},
    {"Bank", "Debit", "Debit Orders", 1},
    {"Debit", "7-1", "Debit OrdersOverview", 3},
    {"Debit", "7-2", "Adding Debit Orders", 3},
    {"Debit", "7-3", "Viewing Debit Orders", 3},
    {"Debit", "7-4", "Deleting Debit Orders", 3},
    {"Debit", "7-5", "Editing Debit Orders", 3},
    {"Bank", "Settings", "Accounts Settings", 1},
    {"Settings", "8-1", "Accounts Settings Overview", 3},
    {"Settings", "8-2", "Renaming Accounts", 3},
    {"Settings", "8-3", "Changing Transaction Categories", 3},
    {"Settings", "8-4", "Balance Alarms", 3},
    {"Settings", "8-5", "Overdraft Facilities", 3},
};

TEST_F(HelpTopicsTest, TheTreeHoldsItsFortyThreeNodesInOrderAllBooksClosed) {
    Form12& topics = openTopics();
    EXPECT_TRUE(topics.isVisible());
    EXPECT_EQ(topics.Caption(), "Help Topics");
    EXPECT_EQ(topics.size(), QSize(493, 413));  // 7395 x 6195 twips
    EXPECT_TRUE(topics.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(topics.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(topics.windowIcon().isNull());

    TreeView* tree = topics.TreeView1;
    EXPECT_EQ(tree->objectName(), "TreeView1");
    EXPECT_EQ(tree->geometry(), QRect(8, 16, 473, 371));
    ASSERT_EQ(tree->NodeCount(), 43);
    QSet<QString> texts;
    for (int i = 1; i <= 43; ++i) {
        const Row& row = Expected[i - 1];
        EXPECT_EQ(tree->NodeKey(i), row.key) << i;
        EXPECT_EQ(tree->NodeText(i), row.text) << i;
        EXPECT_EQ(tree->NodeParent(i), row.parent) << i;
        EXPECT_EQ(tree->NodeImage(i), row.picture) << i;
        EXPECT_FALSE(tree->NodeExpanded(i)) << i;
        texts.insert(tree->NodeText(i));
    }
    EXPECT_EQ(texts.size(), 43) << "the texts differ from one another";
    EXPECT_EQ(tree->SelectedKey(), "") << "no node is selected";
    // The children of a book show in the order they were added.
    EXPECT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->child(4)->text(0), "Personal Finances");
    EXPECT_EQ(tree->topLevelItem(0)->child(4)->child(1)->child(2)->text(0), "Opening an Existing Portfolio");

    EXPECT_EQ(topics.ImageList1->Count(), 3);
    EXPECT_EQ(topics.ImageList1->ImageSize(), QSize(32, 32));
    for (int picture = 1; picture <= 3; ++picture) EXPECT_FALSE(topics.ImageList1->Picture(picture).isNull());
}

TEST_F(HelpTopicsTest, EveryPageNodeOpensItsPageAndHidesTheTree) {
    Form12& topics = openTopics();
    int opened = 0;
    for (const Row& row : Expected) {
        const QString key = QString::fromLatin1(row.key);
        if (key.size() != 3 || key.at(1) != u'-') continue;
        const int page = 10 * key.front().digitValue() + key.back().digitValue();
        clickNode(topics.TreeView1, key);
        Form13& viewer = app().window<Form13>();
        EXPECT_FALSE(topics.isVisible()) << qPrintable(key);
        EXPECT_TRUE(viewer.isVisible()) << qPrintable(key);
        EXPECT_EQ(viewer.Text1->Text(), QString::number(page));
        EXPECT_EQ(visiblePages(viewer), std::vector<int>{page});
        RichTextBox* box = viewer.HelpFile(page);
        EXPECT_EQ(QRectF(box->Left(), box->Top(), box->Width(), box->Height()), QRectF(120, 600, 5775, 4335));
        EXPECT_EQ(box->objectName(), QStringLiteral("HelpFile(%1)").arg(page));
        ++opened;
        // "Index" leads back to the tree for the next page.
        QTest::mouseClick(viewer.Command1, Qt::LeftButton);
        EXPECT_FALSE(viewer.isVisible());
        EXPECT_TRUE(topics.isVisible());
    }
    EXPECT_EQ(opened, 34);
}

TEST_F(HelpTopicsTest, BooksOpenNoPageAndTheirPicturesFollowExpandAndCollapse) {
    Form12& topics = openTopics();
    TreeView* tree = topics.TreeView1;
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->NodeRect(tree->Node("Org")).center());
    QCoreApplication::processEvents();
    EXPECT_TRUE(topics.isVisible());
    EXPECT_EQ(app().existingWindow<Form13>(), nullptr) << "a click on a book shows no page";

    doubleClickNode(tree, tree->Node("Org"));
    doubleClickNode(tree, tree->Node("Bank"));
    doubleClickNode(tree, tree->Node("Trans"));
    EXPECT_TRUE(topics.isVisible());
    EXPECT_EQ(app().existingWindow<Form13>(), nullptr);
    EXPECT_EQ(picturesOf(tree, {"Org", "C", "Bank", "Trans", "Debit", "6-1"}), "Org=2 C=1 Bank=2 Trans=2 Debit=1 6-1=3");

    // Closing a book leaves the books inside it as they were.
    doubleClickNode(tree, tree->Node("Bank"));
    EXPECT_FALSE(tree->Node("Bank")->Expanded());
    EXPECT_EQ(picturesOf(tree, {"Org", "Bank", "Trans"}), "Org=2 Bank=1 Trans=2");

    // The keyboard opens and closes books as well.
    QTest::keyClick(tree, Qt::Key_Right);
    EXPECT_EQ(picturesOf(tree, {"Bank"}), "Bank=2");
    QTest::keyClick(tree, Qt::Key_Left);
    EXPECT_EQ(picturesOf(tree, {"Bank"}), "Bank=1");
    // Enter on a page opens it as a click does.
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(app().window<Form13>().Text1->Text(), "1");
    EXPECT_FALSE(topics.isVisible());
}

TEST_F(HelpTopicsTest, IndexShowsTheTreeAsTheUserLeftIt) {
    Form12& topics = openTopics();
    TreeView* tree = topics.TreeView1;
    clickNode(tree, "7-2");
    openTopics();
    clickNode(tree, "1-3");
    Form13& viewer = app().window<Form13>();
    ASSERT_EQ(viewer.Text1->Text(), "13");

    QTest::mouseClick(viewer.Command1, Qt::LeftButton);
    EXPECT_EQ(&app().window<Form12>(), &topics) << "the same window, only shown again";
    EXPECT_TRUE(topics.isVisible());
    EXPECT_EQ(picturesOf(tree, {"Org", "C", "N", "Bank", "Debit"}), "Org=2 C=2 N=1 Bank=2 Debit=2");
    EXPECT_EQ(tree->SelectedKey(), "1-3");
    EXPECT_EQ(viewer.Text1->Text(), "13") << "the hidden viewer keeps its page";
}

TEST_F(HelpTopicsTest, WithTheViewerShownAnotherPageNodeReplacesThePage) {
    Form12& topics = openTopics();
    clickNode(topics.TreeView1, "6-3");
    Form13& viewer = app().window<Form13>();
    openTopics();
    EXPECT_TRUE(viewer.isVisible());
    clickNode(topics.TreeView1, "2-2");
    EXPECT_EQ(&app().window<Form13>(), &viewer);
    EXPECT_EQ(viewer.Text1->Text(), "22");
    EXPECT_EQ(visiblePages(viewer), std::vector<int>{22});
    EXPECT_FALSE(topics.isVisible());
}

TEST_F(HelpTopicsTest, ClosedWindowsComeBackAfresh) {
    Form12& topics = openTopics();
    clickNode(topics.TreeView1, "8-5");
    Form13& viewer = app().window<Form13>();
    QTest::mouseClick(viewer.Command1, Qt::LeftButton);

    QPointer<Form12> closedTopics(&topics);
    topics.close();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closedTopics.isNull());
    Form12& fresh = openTopics();
    EXPECT_EQ(fresh.TreeView1->NodeCount(), 43);
    for (int i = 1; i <= 43; ++i) EXPECT_FALSE(fresh.TreeView1->NodeExpanded(i)) << i;
    EXPECT_EQ(picturesOf(fresh.TreeView1, {"Org", "Bank", "Settings"}), "Org=1 Bank=1 Settings=1");

    QPointer<Form13> closedViewer(&viewer);
    viewer.Show();
    viewer.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closedViewer.isNull());
    clickNode(fresh.TreeView1, "0-1");
    Form13& freshViewer = app().window<Form13>();
    EXPECT_EQ(freshViewer.Text1->Text(), "1");
    EXPECT_EQ(visiblePages(freshViewer), std::vector<int>{1});
}

TEST_F(HelpTopicsTest, TheDeskOpensHelpTopicsAtNormalSizeFromItsMenuAndItsDrawer) {
    Form12& topics = openTopics();
    topics.showMinimized();
    QTest::mouseClick(desk->Command2, Qt::LeftButton);  // the right middle drawer slides open
    QTest::mouseClick(desk->Label2, Qt::LeftButton);
    EXPECT_TRUE(topics.isVisible());
    EXPECT_FALSE(topics.isMinimized());
    EXPECT_EQ(desk->Image3->Top(), 2880) << "the drawer slid shut first";

    topics.hide();
    desk->HTopics->trigger();
    EXPECT_EQ(&app().window<Form12>(), &topics);
    EXPECT_TRUE(topics.isVisible());
}

}  // namespace
