#pragma once
#include <QTreeWidget>
#include <memory>
#include <vector>

#include "controls/control.h"

class ImageList;
class TreeView;

// A node of a tree: a key (unique in its tree), the text shown, the number of
// its picture in the tree's image list and its parent (none for a top node).
class TreeNode {
public:
    int Index() const { return index_; }  // 1 .. NodeCount, in the order of adding
    const QString& Key() const { return key_; }
    QString Text() const;
    int Image() const { return image_; }
    void setImage(int image);
    TreeNode* Parent() const { return parent_; }
    bool Expanded() const;

private:
    friend class TreeView;
    TreeNode(TreeView* tree, QTreeWidgetItem* item, int index, const QString& key, int image, TreeNode* parent)
        : tree_(tree), item_(item), index_(index), key_(key), image_(image), parent_(parent) {}
    TreeView* tree_;
    QTreeWidgetItem* item_;
    int index_;
    QString key_;
    int image_;
    TreeNode* parent_;
};

// A tree of nodes with pictures from an image list. NodeClick runs when the
// user clicks a node (or presses Enter on the current one); Expand and Collapse
// when the user opens or closes a node that has children (a double click, its
// button, the keyboard); a node without children is never open. The user
// cannot edit the node texts.
class TreeView : public QTreeWidget, public Control {
    Q_OBJECT
    Q_PROPERTY(int NodeCount READ NodeCount)
    Q_PROPERTY(QString SelectedKey READ SelectedKey)
public:
    TreeView(QWidget* parent, const QString& name);
    ~TreeView() override;

    // The node pictures come from `images`, shown at its picture size.
    void setImageList(ImageList* images);

    // Adds a node under the node keyed `parentKey` (an empty key: at the top),
    // after the ones already there. A key already taken, or a parent key that
    // no node has, is refused: nothing is added and the result is null.
    TreeNode* AddNode(const QString& parentKey, const QString& key, const QString& text, int image);

    int NodeCount() const { return int(nodes_.size()); }
    // The node with number `index` (1 .. NodeCount) or with `key`; null when none.
    TreeNode* Node(int index) const;
    TreeNode* Node(const QString& key) const;
    TreeNode* SelectedNode() const;
    QString SelectedKey() const;

    Q_INVOKABLE QString NodeKey(int index) const;
    Q_INVOKABLE QString NodeText(int index) const;
    Q_INVOKABLE int NodeImage(int index) const;
    Q_INVOKABLE QString NodeParent(int index) const;  // the parent's key, empty for a top node
    Q_INVOKABLE bool NodeExpanded(int index) const;

    // Where a node is drawn, in viewport coordinates (empty while hidden in a closed parent).
    QRect NodeRect(const TreeNode* node) const;
    // Scrolls the tree so that the node shows, if its parents are open.
    void ScrollTo(const TreeNode* node);

signals:
    void NodeClick(TreeNode* node);
    void Expand(TreeNode* node);
    void Collapse(TreeNode* node);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TreeNode;
    TreeNode* nodeOf(QTreeWidgetItem* item) const;
    void showPicture(const TreeNode& node);

    ImageList* images_ = nullptr;
    std::vector<std::unique_ptr<TreeNode>> nodes_;
};
