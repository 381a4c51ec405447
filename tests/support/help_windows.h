#pragma once
#include <QCoreApplication>
#include <QTest>

#include "controls/tree_view.h"
#include "help/help_topics_window.h"
#include "help/help_viewer_window.h"
#include "support/double_click.h"

// Acting on the Help Topics tree as a user does: double-clicking a book to
// open or close it, clicking a node once its books are open.
inline void doubleClickNode(TreeView* tree, TreeNode* node) {
    tree->ScrollTo(node);
    QCoreApplication::processEvents();
    doubleClick(tree->viewport(), tree->NodeRect(node).center());
    QCoreApplication::processEvents();
}

// Opens the closed books above the node, then clicks it.
inline void clickNode(TreeView* tree, const QString& key) {
    TreeNode* node = tree->Node(key);
    ASSERT_NE(node, nullptr) << qPrintable(key);
    std::vector<TreeNode*> books;
    for (TreeNode* up = node->Parent(); up; up = up->Parent()) books.insert(books.begin(), up);
    for (TreeNode* book : books)
        if (!book->Expanded()) doubleClickNode(tree, book);
    tree->ScrollTo(node);
    QCoreApplication::processEvents();
    const QRect at = tree->NodeRect(node);
    ASSERT_FALSE(at.isEmpty()) << qPrintable(key);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at.center());
    QCoreApplication::processEvents();  // the viewer's activation
}

// Which page boxes of the viewer are set visible.
inline std::vector<int> visiblePages(const Form13& viewer) {
    std::vector<int> shown;
    for (int k = 0; k <= 86; ++k)
        if (viewer.HelpFile(k) && viewer.HelpFile(k)->Visible()) shown.push_back(k);
    return shown;
}
