#include "help/help_topics_window.h"

#include <QIcon>

#include "common/application.h"
#include "help/help_topics.h"
#include "help/help_viewer_window.h"

Form12::Form12() : Form(QStringLiteral("Form12")) {
    setFrame(Border::Fixed, true);
    setCaption(QStringLiteral("Help Topics"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/help_icon.png")));
    setClientSize(7395, 6195);

    ImageList1 = new ImageList(this, QStringLiteral("ImageList1"), 32, 32);
    ImageList1->Add(QPixmap(QStringLiteral(":/assets/help_book_closed.png")));
    ImageList1->Add(QPixmap(QStringLiteral(":/assets/help_book_open.png")));
    ImageList1->Add(QPixmap(QStringLiteral(":/assets/help_page.png")));

    TreeView1 = new TreeView(this, QStringLiteral("TreeView1"));
    TreeView1->Move(120, 240, 7092, 5568);
    TreeView1->setImageList(ImageList1);

    connect(TreeView1, &TreeView::Collapse, this, &Form12::TreeView1_Collapse);
    connect(TreeView1, &TreeView::Expand, this, &Form12::TreeView1_Expand);
    connect(TreeView1, &TreeView::NodeClick, this, &Form12::TreeView1_NodeClick);
}

void Form12::Form_Load() { Module1::BuildHelpTopicsTree(); }

// The node labels cannot be edited and all differ, so the event's node is the
// one the handlers act on.
void Form12::TreeView1_Collapse(TreeNode* node) { node->setImage(Module1::ClosedBook); }

void Form12::TreeView1_Expand(TreeNode* node) { node->setImage(Module1::OpenBook); }

void Form12::TreeView1_NodeClick(TreeNode* node) {
    if (!Module1::IsHelpPageKey(node->Key())) return;  // the root and the books
    Form13& viewer = app().window<Form13>();
    viewer.ShowHelpPage(Module1::HelpPageIndex(node->Key()));
    hide();
    viewer.Show();
}
