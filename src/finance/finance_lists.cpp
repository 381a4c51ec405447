#include "common/application.h"
#include "finance/account_settings_window.h"
#include "finance/add_transactions_window.h"
#include "finance/debit_orders_window.h"
#include "finance/edit_entry_dialog.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"
#include "finance/rename_dialogs.h"
#include "finance/summary_window.h"
#include "finance/transactions_window.h"

namespace FinModule {

namespace {
// Clearing a list removes its items and empties its text.
void clearList(ComboBox* list) {
    list->Clear();
    list->setText(QString());
}

// The commands that need an open portfolio, in the order they are switched.
void setPortfolioCommandsEnabled(bool enabled) {
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    FinForm1& transactions = app().window<FinForm1>();
    transactions.Command1->setEnabled(enabled);
    finance.Close->setEnabled(enabled);
    transactions.Combo1->setEnabled(enabled);
    finance.Accounts->menuAction()->setEnabled(enabled);
    finance.View->menuAction()->setEnabled(enabled);
    for (int button = 4; button <= 7; ++button) finance.Toolbar1->Buttons(button)->setEnabled(enabled);
}
}  // namespace

void RefreshPortfolioLists() {
    Variables& v = vars();
    const QDate today = app().clock().today();

    FinForm1& transactions = app().window<FinForm1>();
    clearList(transactions.Combo1);
    clearList(transactions.Combo2);
    transactions.DTPicker1->setValue(QDate(2001, 1, 1));
    transactions.DTPicker2->setValue(today);
    FinForm5& settings = app().window<FinForm5>();
    clearList(settings.Combo1);
    FinForm6& entry = app().window<FinForm6>();
    for (ComboBox* accounts : entry.Combo1) clearList(accounts);
    FinForm9& debitOrders = app().window<FinForm9>();
    clearList(debitOrders.Combo1);
    debitOrders.MSFlexGrid1->Clear();
    clearList(entry.Combo2);
    entry.Text1->setText(QString());
    for (TextBox* amount : entry.Text2) amount->setText(QString());
    for (DatePicker* date : entry.DTPicker1) date->setValue(today);
    FinDialog& rename = app().window<FinDialog>();
    clearList(rename.Combo1);
    rename.Text1->setText(QString());
    FinDialog1& change = app().window<FinDialog1>();
    clearList(change.Combo1);
    change.Text1->setText(QString());
    FinDialog2& edit = app().window<FinDialog2>();
    clearList(edit.Combo1);
    edit.Text1->setText(QString());
    edit.Text2->setText(QString());

    if (v.PortfolioOpen) {
        setPortfolioCommandsEnabled(true);
        transactions.Combo1->AddItem(QStringLiteral("All Accounts"));
        FinForm4& summary = app().window<FinForm4>();
        for (int a = 1; a <= AccountCount; ++a) {
            v.AccountNames[a] = portfolioFile().readTagged(accountNameRecord(a));
            const QString name = nameText(v.AccountNames[a]);
            transactions.Combo1->AddItem(name);
            rename.Combo1->AddItem(name);
            settings.Combo1->AddItem(name);
            for (ComboBox* accounts : entry.Combo1) accounts->AddItem(name);
            summary.Label1[a]->setCaption(name);
            debitOrders.Combo1->AddItem(name);
        }
        transactions.Combo1->setListIndex(0);  // its Click runs the list's query

        for (const char* fixed : {"All Categories", "Debit Orders", "Inter Account Transfer"})
            transactions.Combo2->AddItem(QString::fromLatin1(fixed));
        for (int c = 1; c <= CategoryCount; ++c) {
            v.CategoryNames[c] = portfolioFile().readString(categoryNameRecord(c));
            change.Combo1->AddItem(v.CategoryNames[c]);
            edit.Combo1->AddItem(v.CategoryNames[c]);
            entry.Combo2->AddItem(v.CategoryNames[c]);
            transactions.Combo2->AddItem(v.CategoryNames[c]);
        }
        transactions.Combo2->setListIndex(0);  // its Click fills the list
    } else {
        setPortfolioCommandsEnabled(false);
    }

    transactions.MSFlexGrid1->setFormatString(
        QStringLiteral("<Date |<Category |<Description |>Amount |>Balance |> ID "));
    debitOrders.MSFlexGrid1->setFormatString(QStringLiteral("<Start Date |<End Date |<Description |>Amount "));
    LayoutFinanceWindows();
}

void ShowReplacedFile(int number) {
    if (!vars().PortfolioOpen || number < PortfolioFileNumber || number > accountFileNumber(AccountCount)) return;
    // A damaged file is given up with its portfolio before anything is written into it.
    if (const QString damaged = app().files().damageTexts({&number, 1}); !damaged.isEmpty()) {
        ClosePortfolio();
        app().message(damaged + QStringLiteral("\nThe portfolio has been closed; nothing has been written into it."));
        return;
    }
    if (number == PortfolioFileNumber) {
        // Account Settings stays on its account, showing what the file holds for it now.
        FinForm5* settings = app().existingWindow<FinForm5>();
        const int settingsAccount = settings ? settings->Combo1->ListIndex() : -1;
        RefreshPortfolioLists();
        if (settingsAccount >= 0) settings->Combo1->setListIndex(settingsAccount);
        LoadAccountSettings();
        RefreshAccountBalances();
    } else if (chosenAccount(*app().window<FinForm9>().Combo1) != 0) {
        FillDebitOrderGrid();  // and the transaction list with it
    } else {
        FillTransactionGrid();
    }
}

void DisablePortfolioCommands() {
    FinMDIForm1& finance = app().window<FinMDIForm1>();
    finance.Close->setEnabled(false);
    finance.Accounts->menuAction()->setEnabled(false);
    finance.View->menuAction()->setEnabled(false);
    for (int button = 4; button <= 7; ++button) finance.Toolbar1->Buttons(button)->setEnabled(false);
    finance.setCaption(QStringLiteral("Personal Finances"));
}

}  // namespace FinModule
