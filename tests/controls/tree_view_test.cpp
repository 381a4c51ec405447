#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "controls/image_list.h"
#include "controls/tree_view.h"
#include "support/double_click.h"

namespace {

QPixmap filled(const QColor& colour, int side = 32) {
    QPixmap p(side, side);
    p.fill(colour);
    return p;
}

class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        images.Add(filled(Qt::red));
        images.Add(filled(Qt::green), QStringLiteral("Open"));
        tree.Move(0, 0, 6000, 6000);
        tree.setImageList(&images);
        tree.AddNode({}, "Top", "Top book", 1);
        tree.AddNode("Top", "1-1", "First page", 2);
        tree.AddNode("Top", "Sub", "Sub book", 1);
        tree.AddNode("Sub", "2-1", "Inner page", 2);
        tree.show();
        QCoreApplication::processEvents();
    }
    QPoint at(const QString& key) { return tree.NodeRect(tree.Node(key)).center(); }

    ImageList images{nullptr, QStringLiteral("ImageList1"), 32, 32};
    TreeView tree{nullptr, QStringLiteral("TreeView1")};
};

TEST_F(TreeViewTest, NodesKeepTheirKeysOrderParentsAndPictures) {
    EXPECT_EQ(tree.AddNode({}, "Top", "Again", 1), nullptr) << "keys are unique";
    EXPECT_EQ(tree.AddNode("Nowhere", "x", "Lost", 1), nullptr) << "the parent must exist";
    EXPECT_EQ(tree.AddNode("Top", "", "No key", 1), nullptr);
    ASSERT_EQ(tree.NodeCount(), 4);
    EXPECT_EQ(tree.Node(3), tree.Node("Sub"));
    EXPECT_EQ(tree.Node(5), nullptr);
    EXPECT_EQ(tree.NodeParent(4), "Sub");
    EXPECT_EQ(tree.topLevelItem(0)->child(1)->text(0), "Sub book");

    // The picture of the top node, the same when selected.
    auto pictureOf = [&](QIcon::Mode mode) { return tree.topLevelItem(0)->icon(0).pixmap(QSize(32, 32), mode).toImage(); };
    EXPECT_EQ(pictureOf(QIcon::Normal).pixel(5, 5), QColor(Qt::red).rgb());
    EXPECT_EQ(pictureOf(QIcon::Selected).pixel(5, 5), QColor(Qt::red).rgb()) << "no tint when selected";
    tree.Node("Top")->setImage(2);
    EXPECT_EQ(pictureOf(QIcon::Normal).pixel(5, 5), QColor(Qt::green).rgb());
    tree.Node("Top")->setImage(9);
    EXPECT_TRUE(tree.topLevelItem(0)->icon(0).isNull()) << "no such picture: none shown";

    // The image list: pictures by number from 1 or by key, at the list's size.
    EXPECT_FALSE(images.Add(filled(Qt::red), QStringLiteral("Open"))) << "keys are unique";
    EXPECT_TRUE(images.Add(filled(Qt::blue, 16)));
    EXPECT_EQ(images.Index(QStringLiteral("Open")), 2);
    EXPECT_EQ(images.Index(QStringLiteral("open")), 0);
    EXPECT_EQ(images.Picture(3).size(), QSize(32, 32));
    EXPECT_TRUE(images.Picture(0).isNull() && images.Picture(4).isNull());
}

// Opening books by double click and keys, and Enter on a page, are covered
// where the Help Topics window uses them.
TEST_F(TreeViewTest, EventsFollowTheUsersActionsOnly) {
    QSignalSpy clicks(&tree, &TreeView::NodeClick);
    QSignalSpy expands(&tree, &TreeView::Expand);
    QSignalSpy collapses(&tree, &TreeView::Collapse);
    tree.Node("Top")->setImage(2);  // code raises nothing
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at("Top"));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).value<TreeNode*>(), tree.Node("Top"));
    EXPECT_EQ(expands.count(), 0) << "a click does not open a book";

    // The button beside a book opens it without a click on the node.
    doubleClick(tree.viewport(), at("Top"));
    QCoreApplication::processEvents();
    const QRect sub = tree.NodeRect(tree.Node("Sub"));
    const qsizetype clicksBefore = clicks.count();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(sub.left() - tree.indentation() / 2, sub.center().y()));
    EXPECT_EQ(expands.count(), 2);
    EXPECT_EQ(expands.at(1).at(0).value<TreeNode*>(), tree.Node("Sub"));
    EXPECT_EQ(clicks.count(), clicksBefore);

    doubleClick(tree.viewport(), at("Top"));
    ASSERT_EQ(collapses.count(), 1);
    EXPECT_EQ(collapses.at(0).at(0).value<TreeNode*>(), tree.Node("Top"));
}

}  // namespace
