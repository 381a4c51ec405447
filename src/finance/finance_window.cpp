#include "finance/finance_window.h"

#include <QBitmap>
#include <QIcon>
#include <vector>

#include "common/application.h"
#include "controls/control.h"
#include "finance/account_settings_window.h"
#include "finance/add_transactions_window.h"
#include "finance/debit_order_dialogs.h"
#include "finance/debit_orders_window.h"
#include "finance/edit_entry_dialog.h"
#include "finance/fin_module.h"
#include "finance/new_portfolio_window.h"
#include "finance/rename_dialogs.h"
#include "finance/summary_window.h"
#include "finance/transactions_window.h"

namespace {
constexpr quint32 Silver = 0xC0C0C0;

// The tool windows and dialogs of the finance window that exist now (shown
// or hidden): each of them can change the open portfolio. The notice only
// tells.
std::vector<Form*> existingToolWindows() {
    std::vector<Form*> windows;
    for (Form* window : std::initializer_list<Form*>{
             app().existingWindow<FinForm3>(), app().existingWindow<FinForm5>(), app().existingWindow<FinForm8>(),
             app().existingWindow<FinDialog>(), app().existingWindow<FinDialog1>(),
             app().existingWindow<FinDialog2>(), app().existingWindow<FinDialog3>()})
        if (window) windows.push_back(window);
    return windows;
}
}  // namespace

FinMDIForm1::FinMDIForm1() : MdiForm(QStringLiteral("FinMDIForm1")) {
    setFrame(Border::Sizable, true, true, true);
    setCaption(QStringLiteral("Personal Finances"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/finance_coins.png")));
    buildMenus();
    buildToolbar();
    setClientSize(6975, 4215);
    connect(this, &MdiForm::Resize, this, &FinMDIForm1::MDIForm_Resize);
    connect(&app(), &Application::fileReplaced, this, &FinModule::ShowReplacedFile);
}

void FinMDIForm1::buildMenus() {
    File = addMenu(QStringLiteral("File"), QStringLiteral("&File"));
    Open = File->addItem(QStringLiteral("Open"), QStringLiteral("&Open Portfolio"));
    New = File->addItem(QStringLiteral("New"), QStringLiteral("&New Portfolio"));
    Close = File->addItem(QStringLiteral("Close"), QStringLiteral("&Close"));
    mnuFileBar0 = File->addNamedSeparator(QStringLiteral("mnuFileBar0"));
    Exit = File->addItem(QStringLiteral("Exit"), QStringLiteral("E&xit"));

    Accounts = addMenu(QStringLiteral("Accounts"), QStringLiteral("&Accounts"));
    RenameAccount = Accounts->addItem(QStringLiteral("RenameAccount"), QStringLiteral("&Rename Account"));
    ChangeCategory = Accounts->addItem(QStringLiteral("ChangeCategory"), QStringLiteral("&Change Category"));
    mnuAccountsBar0 = Accounts->addNamedSeparator(QStringLiteral("mnuAccountsBar0"));
    Transactions = Accounts->addItem(QStringLiteral("Transactions"), QStringLiteral("Add &Transactions"));
    DOrders = Accounts->addItem(QStringLiteral("DOrders"), QStringLiteral("&Debit Orders"));
    mnuAccountsBar1 = Accounts->addNamedSeparator(QStringLiteral("mnuAccountsBar1"));
    ASetup = Accounts->addItem(QStringLiteral("ASetup"), QStringLiteral("Account &Settings"));

    View = addMenu(QStringLiteral("View"), QStringLiteral("&View"));
    ViewS = View->addItem(QStringLiteral("ViewS"), QStringLiteral("&Summary"));
    ViewT = View->addItem(QStringLiteral("ViewT"), QStringLiteral("&Transactions"));

    connect(Open, &QAction::triggered, this, &FinMDIForm1::Open_Click);
    connect(New, &QAction::triggered, this, &FinMDIForm1::New_Click);
    connect(Close, &QAction::triggered, this, &FinMDIForm1::Close_Click);
    connect(Exit, &QAction::triggered, this, &FinMDIForm1::Exit_Click);
    connect(RenameAccount, &QAction::triggered, this, &FinMDIForm1::RenameAccount_Click);
    connect(ChangeCategory, &QAction::triggered, this, &FinMDIForm1::ChangeCategory_Click);
    connect(Transactions, &QAction::triggered, this, &FinMDIForm1::Transactions_Click);
    connect(DOrders, &QAction::triggered, this, &FinMDIForm1::DOrders_Click);
    connect(ASetup, &QAction::triggered, this, &FinMDIForm1::ASetup_Click);
    connect(ViewS, &QAction::triggered, this, &FinMDIForm1::ViewS_Click);
    connect(ViewT, &QAction::triggered, this, &FinMDIForm1::ViewT_Click);
}

void FinMDIForm1::buildToolbar() {
    ImageList1 = new ImageList(this, QStringLiteral("ImageList1"), 16, 16);
    for (const char* key : {"Open", "Help", "New", "AddTrans", "Debit", "Summary", "Trans"}) {
        const QString k = QString::fromLatin1(key);
        QPixmap picture(QStringLiteral(":/assets/toolbar_%1.png").arg(k.toLower()));
        // Silver is drawn transparent in a picture that brings no transparency of its own.
        if (!picture.isNull() && !picture.hasAlphaChannel())
            picture.setMask(picture.createMaskFromColor(colorFromValue(Silver), Qt::MaskInColor));
        ImageList1->Add(picture, k);
    }
    Toolbar1 = new Toolbar(this, QStringLiteral("Toolbar1"), ImageList1);
    Toolbar1->addButton(QStringLiteral("Open"), QStringLiteral("Open Portfolio"), QStringLiteral("Open"));
    Toolbar1->addButton(QStringLiteral("New"), QStringLiteral("New Portfolio"), QStringLiteral("New"));
    Toolbar1->addSeparatorButton();
    Toolbar1->addButton(QStringLiteral("Summary"), QStringLiteral("Summary"), QStringLiteral("Summary"));
    Toolbar1->addButton(QStringLiteral("Transactions"), QStringLiteral("Transactions"), QStringLiteral("Trans"));
    Toolbar1->addButton(QStringLiteral("AddTrans"), QStringLiteral("Add Transaction"), QStringLiteral("AddTrans"));
    Toolbar1->addButton(QStringLiteral("Debit"), QStringLiteral("Debit Orders"), QStringLiteral("Debit"));
    addToolbar(Toolbar1);
    connect(Toolbar1, &Toolbar::ButtonClick, this, &FinMDIForm1::Toolbar1_ButtonClick);
}

void FinMDIForm1::MDIForm_Load() {
    FinModule::vars().PortfolioOpen = false;
    FinModule::DisablePortfolioCommands();
}

void FinMDIForm1::MDIForm_Resize() { FinModule::LayoutFinanceWindows(); }

// The close box: the portfolio closes, then the window goes with its child windows.
void FinMDIForm1::MDIForm_Unload() { FinModule::CloseFinanceWindow(); }

void FinMDIForm1::Open_Click() { FinModule::OpenPortfolio(); }

void FinMDIForm1::New_Click() { app().window<FinForm3>().Show(*this); }

void FinMDIForm1::Close_Click() { FinModule::ClosePortfolio(); }

// The portfolio closes and the window hides; the next showing finds it as left.
void FinMDIForm1::Exit_Click() { FinModule::CloseFinanceWindow(); }

void FinMDIForm1::RenameAccount_Click() { app().window<FinDialog>().Show(*this); }

void FinMDIForm1::ChangeCategory_Click() { app().window<FinDialog1>().Show(*this); }

void FinMDIForm1::Transactions_Click() { app().window<FinForm6>().ShowMaximized(); }

void FinMDIForm1::DOrders_Click() { app().window<FinForm9>().ShowMaximized(); }

// Account Settings opens on the first account, and the finance window takes
// no input until it is closed.
void FinMDIForm1::ASetup_Click() {
    FinModule::RefreshPortfolioLists();
    FinForm5& settings = app().window<FinForm5>();
    settings.Show(*this);
    settings.Combo1->setListIndex(0);  // its Click loads the account's settings
    FinModule::LoadAccountSettings();
    lockFor(settings);
}

void FinMDIForm1::ViewS_Click() { app().window<FinForm4>().ShowMaximized(); }

void FinMDIForm1::ViewT_Click() { app().window<FinForm1>().ShowMaximized(); }

void FinMDIForm1::lockFor(const Form& holder) {
    for (Form* window : existingToolWindows()) window->setEnabled(window == &holder);
    setLocked(true);
}

void FinMDIForm1::unlock() {
    for (Form* window : existingToolWindows()) window->setEnabled(true);
    setLocked(false);
}

// Runs the command of the button's key. A failure inside the command is
// dropped, so that the toolbar stays usable.
void FinMDIForm1::Toolbar1_ButtonClick(ToolbarButton* Button) {
    const QString key = Button->Key();
    void (FinMDIForm1::*command)() = nullptr;
    if (key == QLatin1String("New"))
        command = &FinMDIForm1::New_Click;
    else if (key == QLatin1String("Open"))
        command = &FinMDIForm1::Open_Click;
    else if (key == QLatin1String("Transactions"))
        command = &FinMDIForm1::ViewT_Click;
    else if (key == QLatin1String("Summary"))
        command = &FinMDIForm1::ViewS_Click;
    else if (key == QLatin1String("Debit"))
        command = &FinMDIForm1::DOrders_Click;
    else if (key == QLatin1String("AddTrans"))
        command = &FinMDIForm1::Transactions_Click;
    if (!command) return;
    try {
        (this->*command)();
    } catch (...) {
    }
}
