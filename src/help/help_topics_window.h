#pragma once
#include "common/form.h"
#include "controls/image_list.h"
#include "controls/tree_view.h"

// The Help Topics window: the help's table of contents as a tree of books
// and pages. A click on a page opens it in the help viewer.
class Form12 : public Form {
    Q_OBJECT
public:
    Form12();

    void Form_Load() override;

    ImageList* ImageList1;  // closed book, open book, page
    TreeView* TreeView1;

    void TreeView1_Collapse(TreeNode* node);
    void TreeView1_Expand(TreeNode* node);
    void TreeView1_NodeClick(TreeNode* node);
};
