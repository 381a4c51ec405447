#pragma once
#include <QAction>

#include "controls/mdi_form.h"
#include "controls/popup_menu.h"
#include "controls/toolbar.h"

// The finance window: the menus and toolbar from which every finance function
// starts, around the area of its four child windows (Transactions, Accounts
// Summary, Add Transactions, Debit Orders). Its caption tells whether a
// portfolio is open.
class FinMDIForm1 : public MdiForm {
    Q_OBJECT
public:
    FinMDIForm1();

    void Form_Load() override { MDIForm_Load(); }
    void Form_Unload() override { MDIForm_Unload(); }

    ImageList* ImageList1;  // the toolbar's pictures by key
    Toolbar* Toolbar1;

    PopupMenu* File;
    QAction *Open, *New, *Close, *mnuFileBar0, *Exit;
    PopupMenu* Accounts;
    QAction *RenameAccount, *ChangeCategory, *mnuAccountsBar0, *Transactions, *DOrders, *mnuAccountsBar1, *ASetup;
    PopupMenu* View;
    QAction *ViewS, *ViewT;

    void MDIForm_Load();
    void MDIForm_Resize();
    void MDIForm_Unload();
    void Open_Click();
    void New_Click();
    void Close_Click();
    void Exit_Click();
    void RenameAccount_Click();
    void ChangeCategory_Click();
    void Transactions_Click();
    void DOrders_Click();
    void ASetup_Click();
    void ViewS_Click();
    void ViewT_Click();
    void Toolbar1_ButtonClick(ToolbarButton* Button);

    // The lock, while `holder` (Account Settings, Add or Edit Debit Order)
    // is open: this window and every other finance tool window and dialog
    // take no input, so that nothing changes the portfolio under the holder.
    // Unlocked, they all take input again.
    void lockFor(const Form& holder);
    void unlock();

private:
    void buildMenus();
    void buildToolbar();
};
