#include <gtest/gtest.h>

#include <QPointer>

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
    // The nodes under `parent` in the order of adding: "key text (children; ...)".
    static QString outline(const TreeView* tree, const QString& parent = {}) {
        QStringList nodes;
        for (int i = 1; i <= tree->NodeCount(); ++i) {
            if (tree->NodeParent(i) != parent) continue;
            const QString inside = outline(tree, tree->NodeKey(i));
            nodes << tree->NodeKey(i) + u' ' + tree->NodeText(i) + (inside.isEmpty() ? QString() : " (" + inside + ")");
        }
        return nodes.join(QStringLiteral("; "));
    }
    Desk* desk = nullptr;
};

TEST_F(HelpTopicsTest, TheTreeHoldsItsFortyThreeNodesInOrderAllBooksClosed) {
    Form12& topics = openTopics();
    EXPECT_TRUE(topics.isVisible());
    EXPECT_EQ(topics.Caption(), "Help Topics");
    EXPECT_EQ(topics.size(), QSize(493, 413));  // 7395 x 6195 twips
    TreeView* tree = topics.TreeView1;
    ASSERT_EQ(tree->NodeCount(), 43);
    EXPECT_EQ(outline(tree).toStdString(),
              "Org Velmora Organizer (0-1 Getting Started; "
              "C Calendar (1-1 How to add an appointment; 1-2 How to view an appointment; 1-3 How to edit an appointment; "
              "1-4 How to delete an appointment; 1-5 How to view the schedule for a specific day); "
              "N Notes (2-1 How to add a note; 2-2 How to view a note; 2-3 How to edit a note; 2-4 How to delete a note); "
              "A Address Book (3-1 How to add an entry; 3-2 How to view an entry; 3-3 How to edit an entry; "
              "3-4 How to delete an entry); "
              "Bank Personal Finances (4-1 Pursewell Overview; PFolio Portfolios (5-1 Portfolios Overview; "
              "5-2 Creating a New Portfolio; 5-3 Opening an Existing Portfolio); "
              "Trans Transactions (6-1 Transactions Overview; 6-2 Adding Transactions; 6-3 Viewing Transactions; "
              "6-4 Deleting Transactions; 6-5 Editing Transactions; 6-6 Account Balances); "
              "Debit Debit Orders (7-1 Debit OrdersOverview; 7-2 Adding Debit Orders; 7-3 Viewing Debit Orders; "
              "7-4 Deleting Debit Orders; 7-5 Editing Debit Orders); "
              "Settings Accounts Settings (8-1 Accounts Settings Overview; 8-2 Renaming Accounts; "
              "8-3 Changing Transaction Categories; 8-4 Balance Alarms; 8-5 Overdraft Facilities)))");
    for (int i = 1; i <= 43; ++i) {
        EXPECT_EQ(tree->NodeImage(i), tree->NodeKey(i).contains(u'-') ? 3 : 1) << i << ": a closed book or a page";
        EXPECT_FALSE(tree->NodeExpanded(i)) << i;
    }
    // The tree takes the focus as the window comes up, which chooses no node:
    // nothing is selected or marked current until the user picks one.
    topics.activateWindow();
    QCoreApplication::processEvents();
    ASSERT_TRUE(tree->hasFocus());
    EXPECT_EQ(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->SelectedKey(), "");
    // The children of a book show in the order they were added.
    EXPECT_EQ(tree->topLevelItem(0)->child(4)->child(1)->child(2)->text(0), "Opening an Existing Portfolio");
    for (int picture = 1; picture <= 3; ++picture) EXPECT_FALSE(topics.ImageList1->Picture(picture).isNull());
}

TEST_F(HelpTopicsTest, EveryPageNodeOpensItsPageAndHidesTheTree) {
    Form12& topics = openTopics();
    int opened = 0;
    for (int i = 1; i <= topics.TreeView1->NodeCount(); ++i) {
        const QString key = topics.TreeView1->NodeKey(i);
        if (!key.contains(u'-')) continue;
        const int page = 10 * key.front().digitValue() + key.back().digitValue();
        clickNode(topics.TreeView1, key);
        Form13& viewer = app().window<Form13>();
        EXPECT_FALSE(topics.isVisible()) << qPrintable(key);
        EXPECT_TRUE(viewer.isVisible()) << qPrintable(key);
        EXPECT_EQ(viewer.Text1->Text(), QString::number(page));
        EXPECT_EQ(visiblePages(viewer), std::vector<int>{page});
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
    for (const char* book : {"Org", "Bank", "Trans"}) doubleClickNode(tree, tree->Node(book));
    EXPECT_TRUE(topics.isVisible());
    EXPECT_EQ(app().existingWindow<Form13>(), nullptr) << "a click on a book shows no page";
    EXPECT_EQ(picturesOf(tree, {"Org", "C", "Bank", "Trans", "Debit", "6-1"}), "Org=2 C=1 Bank=2 Trans=2 Debit=1 6-1=3");

    // Closing a book leaves the books inside it as they were.
    doubleClickNode(tree, tree->Node("Bank"));
    EXPECT_FALSE(tree->Node("Bank")->Expanded());
    EXPECT_EQ(picturesOf(tree, {"Org", "Bank", "Trans"}), "Org=2 Bank=1 Trans=2");

    // The keyboard opens and closes books as well; Enter on a page opens it as a click does.
    QTest::keyClick(tree, Qt::Key_Right);
    EXPECT_EQ(picturesOf(tree, {"Bank"}), "Bank=2");
    QTest::keyClick(tree, Qt::Key_Left);
    EXPECT_EQ(picturesOf(tree, {"Bank"}), "Bank=1");
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(app().window<Form13>().Text1->Text(), "1");
    EXPECT_FALSE(topics.isVisible());
}

// "*" opens every book below the chosen node at once: the books show the
// open book and the pages keep their page, also when the keyboard moves on.
TEST_F(HelpTopicsTest, PagesKeepTheirPictureWhenEveryBookIsOpenedAtOnce) {
    Form12& topics = openTopics();
    TreeView* tree = topics.TreeView1;
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->NodeRect(tree->Node("Org")).center());
    QTest::keyClick(tree, Qt::Key_Asterisk);
    for (int i = 1; i <= 43; ++i) {
        const bool page = tree->NodeKey(i).contains(u'-');
        EXPECT_EQ(tree->NodeImage(i), page ? 3 : 2) << qPrintable(tree->NodeKey(i));
        EXPECT_EQ(tree->NodeExpanded(i), !page) << qPrintable(tree->NodeKey(i));
    }
    // Down to "Getting Started", then Left goes back up to the root.
    QTest::keyClick(tree, Qt::Key_Down);
    ASSERT_EQ(tree->currentItem()->text(0), "Getting Started");
    QTest::keyClick(tree, Qt::Key_Left);
    EXPECT_EQ(tree->currentItem()->text(0), "Velmora Organizer");
    EXPECT_EQ(picturesOf(tree, {"Org", "0-1"}), "Org=2 0-1=3");
}

// "Index" hides the viewer with its page and shows the tree as the user left
// it; a page node clicked while the viewer shows replaces its page.
TEST_F(HelpTopicsTest, IndexShowsTheTreeAsTheUserLeftItAndTheViewerKeepsItsPage) {
    Form12& topics = openTopics();
    TreeView* tree = topics.TreeView1;
    clickNode(tree, "7-2");
    Form13& viewer = app().window<Form13>();
    openTopics();
    EXPECT_TRUE(viewer.isVisible());
    clickNode(tree, "1-3");
    EXPECT_EQ(&app().window<Form13>(), &viewer);
    EXPECT_FALSE(topics.isVisible());
    EXPECT_EQ(visiblePages(viewer), std::vector<int>{13});

    QTest::mouseClick(viewer.Command1, Qt::LeftButton);
    EXPECT_EQ(&app().window<Form12>(), &topics) << "the same window, only shown again";
    EXPECT_TRUE(topics.isVisible());
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(picturesOf(tree, {"Org", "C", "N", "Bank", "Debit"}), "Org=2 C=2 N=1 Bank=2 Debit=2");
    EXPECT_EQ(tree->SelectedKey(), "1-3");
    EXPECT_EQ(viewer.Text1->Text(), "13") << "the hidden viewer keeps its page";
    EXPECT_EQ(visiblePages(viewer), std::vector<int>{13});
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
    for (int i = 1; i <= 43; ++i) EXPECT_FALSE(fresh.TreeView1->NodeExpanded(i)) << i;
    EXPECT_EQ(picturesOf(fresh.TreeView1, {"Org", "Bank", "Settings"}), "Org=1 Bank=1 Settings=1");

    QPointer<Form13> closedViewer(&viewer);
    viewer.Show();
    viewer.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closedViewer.isNull());
    clickNode(fresh.TreeView1, "0-1");
    EXPECT_EQ(visiblePages(app().window<Form13>()), std::vector<int>{1});
}

}  // namespace
