#pragma once
#include <array>

#include "controls/combo_box.h"
#include "controls/command_button.h"
#include "controls/date_picker.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/mdi_form.h"
#include "controls/option_button.h"
#include "controls/text_box.h"

// The Add Transactions window: one panel for a basic transaction (income or
// expense of one account) and one for a transfer between two accounts, one
// shown at a time. Index 0 of the control arrays belongs to the basic panel.
class FinForm6 : public MdiChildForm {
    Q_OBJECT
public:
    FinForm6();

    CommandButton* Command3;  // switches the panels; names the panel it switches to
    Frame* Frame1;            // "Basic Transactions"
    Label *Label1, *Label2, *Label3, *Label4, *Label5;
    std::array<ComboBox*, 3> Combo1{};  // 0 the account; 1 from, 2 to
    ComboBox* Combo2;                   // the category
    TextBox* Text1;                     // the description
    std::array<TextBox*, 2> Text2{};    // the amounts
    std::array<DatePicker*, 2> DTPicker1{};
    OptionButton *Option1, *Option2;    // "Income", "Expence"
    CommandButton* Command1;            // "Enter Transaction"
    Frame* Frame2;                      // "Inter Account Transfers"
    Label *Label6, *Label8, *Label10, *Label7;
    CommandButton* Command2;            // "Enter Transaction"

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    // The notice for half a second, events running meanwhile; false when the
    // portfolio was closed in that time.
    bool showNotice();
};
