#pragma once
#include "common/form.h"
#include "controls/command_button.h"
#include "controls/date_picker.h"
#include "controls/label.h"
#include "controls/text_box.h"

// What "Add Debit Order" and "Edit Debit Order" share: the start and end
// pickers, the description and amount boxes with their labels, the tests of
// a typed debit order, and the way back to the Debit Orders window. While
// either is open the finance window and its other tool windows and dialogs
// take no input.
class DebitOrderForm : public Form {
    Q_OBJECT
public:
    Label* Label1;          // "Start Date:"
    DatePicker* DTPicker1;  // the first occurrence
    Label* Label2;          // "End Date:"
    DatePicker* DTPicker2;  // the last day an occurrence may fall on
    Label* Label3;          // "Amount:" in "Add Debit Order", "Description:" in "Edit Debit Order"
    Label* Label4;          // the other one
    TextBox* Text1;         // the description
    TextBox* Text2;         // the amount

    void Form_Unload() override { backToDebitOrders(); }

protected:
    struct Layout {
        int left;        // of the pickers and boxes; the labels stand at 120
        int tops[4];     // start, end, description, amount
        int amountWidth;
        bool descriptionIsLabel3;
    };
    struct Initial {
        QDate start, end;
        QString description, amount;
    };
    DebitOrderForm(const QString& name, const QString& caption, const Layout& layout, const Initial& initial);

    // The tests in order; the first that fails is told. The windows differ
    // in the words on a start after the end.
    bool passesEntryTests(const QString& startAfterEnd) const;
    // Every way out that does not stay open: the finance window takes input
    // again and the Debit Orders window comes forward.
    static void backToDebitOrders();
};

// "Add Debit Order": a new debit order for the account chosen in the Debit
// Orders window. Hidden after use, it keeps what was typed.
class FinForm8 : public DebitOrderForm {
    Q_OBJECT
public:
    FinForm8();

    CommandButton* Command1;  // "Enter"
    CommandButton* Command2;  // "Cancel"

    void Command1_Click();
    void Command2_Click();
};

// "Edit Debit Order": the debit order of the Debit Orders window's current row.
class FinDialog3 : public DebitOrderForm {
    Q_OBJECT
public:
    FinDialog3();

    CommandButton* OKButton;
    CommandButton* CancelButton;

    void OKButton_Click();
    void CancelButton_Click();
};
