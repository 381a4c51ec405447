#pragma once
#include <optional>

#include "common/form.h"
#include "controls/combo_box.h"
#include "controls/command_button.h"
#include "controls/date_picker.h"
#include "controls/label.h"
#include "controls/text_box.h"
#include "finance/fin_module.h"

// "Edit Entry": the date, category, description and amount of one listed
// transaction, written back over it by OK. It does not block the other
// windows.
class FinDialog2 : public Form {
    Q_OBJECT
public:
    FinDialog2();

    void Form_Load() override;

    Label* Label1;  // "Date:"
    DatePicker* DTPicker1;
    Label* Label2;  // "Category:"
    ComboBox* Combo1;  // the twenty categories; no choice keeps the stored one
    Label* Label3;  // "Description:"
    TextBox* Text1;
    Label* Label4;  // "Amount:"
    TextBox* Text2;  // signed as stored: negative is money out
    Label* Label5;  // "Entry:", hidden
    TextBox* Text3;  // the transaction's ID, hidden
    CommandButton* OKButton;
    CommandButton* CancelButton;

    // The transaction as it was stored when Edit opened it: a save writes
    // only over that same transaction.
    std::optional<FinModule::OpenedTransaction> Opened;

    void OKButton_Click();
    void CancelButton_Click();
};
