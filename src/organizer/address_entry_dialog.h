#pragma once
#include <array>

#include "common/form.h"
#include "controls/check_box.h"
#include "controls/command_button.h"
#include "controls/date_picker.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/text_box.h"

// The address-book entry dialog, opened by the Address Book's "Add Entry" and
// "Edit Entry". "OK" stores the entry at the end of the file; "Cancel", offered
// only when adding, stores nothing.
class Form7 : public Form {
    Q_OBJECT
public:
    Form7();

    // Name:, Surname:, Address:, e-mail:, Home Page:, Notes:, then the phones'
    // Home, Business #1, Business #2, Mobile, Fax, Other.
    std::array<Label*, 12> Label1{};
    std::array<TextBox*, 6> Text2{};  // name, surname, address, e-mail, home page, notes
    CheckBox* Check1;  // "Birthday"
    DatePicker* DTPicker1;  // the birthday
    Frame* Frame3;  // "Phone Numbers"
    std::array<TextBox*, 6> Text3{};  // the phones
    CommandButton* Command1;  // "OK"
    CommandButton* Command3;  // "Cancel"

    void Command1_Click();
    void Command3_Click();
};
