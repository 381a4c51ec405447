#include "controls/tree_view.h"

#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>

#include "controls/image_list.h"

namespace {
constexpr int NodeNumberRole = Qt::UserRole + 1;
}

QString TreeNode::Text() const { return item_->text(0); }

void TreeNode::setImage(int image) {
    image_ = image;
    tree_->showPicture(*this);
}

bool TreeNode::Expanded() const { return item_->isExpanded(); }

TreeView::TreeView(QWidget* parent, const QString& name) : QTreeWidget(parent), Control(this, name) {
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
    header()->setStretchLastSection(true);
    // No node is current until the user or the program picks one; without
    // this, the first focus would make the top node current, and it would
    // show as chosen.
    setCurrentIndex(QModelIndex());

    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (TreeNode* node = nodeOf(item)) emit NodeClick(node);
    });
    // Only a node with children opens and closes. Expanding everything below
    // a node ("*") marks its leaves expanded too: they are put back at once.
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (item->childCount() == 0) return collapseItem(item);
        if (TreeNode* node = nodeOf(item)) emit Expand(node);
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (item->childCount() == 0) return;
        if (TreeNode* node = nodeOf(item)) emit Collapse(node);
    });
}

TreeView::~TreeView() {
    // The items go with the widget; the nodes must not outlive them.
    disconnect(this, nullptr, this, nullptr);
    nodes_.clear();
}

void TreeView::setImageList(ImageList* images) {
    images_ = images;
    if (images_) setIconSize(images_->ImageSize());
    for (const auto& node : nodes_) showPicture(*node);
}

TreeNode* TreeView::AddNode(const QString& parentKey, const QString& key, const QString& text, int image) {
    if (key.isEmpty() || Node(key)) return nullptr;
    TreeNode* parentNode = nullptr;
    if (!parentKey.isEmpty()) {
        parentNode = Node(parentKey);
        if (!parentNode) return nullptr;
    }
    auto* item = parentNode ? new QTreeWidgetItem(parentNode->item_) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    const int index = NodeCount() + 1;
    item->setData(0, NodeNumberRole, index);
    nodes_.push_back(std::unique_ptr<TreeNode>(new TreeNode(this, item, index, key, image, parentNode)));
    showPicture(*nodes_.back());
    return nodes_.back().get();
}

TreeNode* TreeView::Node(int index) const {
    if (index < 1 || index > NodeCount()) return nullptr;
    return nodes_[size_t(index - 1)].get();
}

TreeNode* TreeView::Node(const QString& key) const {
    for (const auto& node : nodes_)
        if (node->key_ == key) return node.get();
    return nullptr;
}

TreeNode* TreeView::SelectedNode() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : nodeOf(selected.front());
}

QString TreeView::SelectedKey() const {
    const TreeNode* node = SelectedNode();
    return node ? node->Key() : QString();
}

QString TreeView::NodeKey(int index) const { return Node(index) ? Node(index)->Key() : QString(); }
QString TreeView::NodeText(int index) const { return Node(index) ? Node(index)->Text() : QString(); }
int TreeView::NodeImage(int index) const { return Node(index) ? Node(index)->Image() : 0; }
QString TreeView::NodeParent(int index) const {
    const TreeNode* node = Node(index);
    return node && node->Parent() ? node->Parent()->Key() : QString();
}
bool TreeView::NodeExpanded(int index) const { return Node(index) && Node(index)->Expanded(); }

QRect TreeView::NodeRect(const TreeNode* node) const { return node ? visualItemRect(node->item_) : QRect(); }

void TreeView::ScrollTo(const TreeNode* node) {
    if (node) scrollToItem(node->item_);
}

void TreeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (TreeNode* node = nodeOf(currentItem())) {
            event->accept();
            emit NodeClick(node);
            return;
        }
    }
    QTreeWidget::keyPressEvent(event);
}

TreeNode* TreeView::nodeOf(QTreeWidgetItem* item) const {
    if (!item) return nullptr;
    return Node(item->data(0, NodeNumberRole).toInt());
}

void TreeView::showPicture(const TreeNode& node) {
    const QPixmap picture = images_ ? images_->Picture(node.image_) : QPixmap();
    QIcon icon;
    if (!picture.isNull()) {
        // The same picture whatever the node's state: no tinting when selected.
        icon.addPixmap(picture, QIcon::Normal);
        icon.addPixmap(picture, QIcon::Selected);
        icon.addPixmap(picture, QIcon::Active);
    }
    node.item_->setIcon(0, icon);
}
