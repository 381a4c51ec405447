#pragma once
#include <array>

#include "common/form.h"
#include "controls/check_box.h"
#include "controls/combo_box.h"
#include "controls/command_button.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/text_box.h"

// The address book: letter tabs choose a group, the sorted name list holds the
// keys of that group, and the chosen entry shows in read-only boxes. Entries
// are added and edited in the entry dialog and deleted at once.
class Form3 : public Form {
    Q_OBJECT
public:
    Form3();

    static constexpr int Tabs = 24;
    // A tab's caption is the letter group it lists.
    static const std::array<const char*, Tabs> TabCaptions;
    static constexpr quint32 ChosenTabColor = 0x00FFFF;  // yellow

    std::array<CommandButton*, Tabs> Command4{};  // the letter tabs
    Frame* Frame1;  // "Name"
    ComboBox* Combo1;  // the keys of the letter group, sorted
    CommandButton* Command5;  // "View Details" / "View Address"
    Frame* Frame3;  // "Telephone Numbers"
    std::array<Label*, 6> Label3{};
    std::array<TextBox*, 6> Text3{};  // Home, Business #1, Business #2, Mobile, Fax, Other
    Frame* Frame2;  // "Address"
    TextBox* Text1;
    Frame* Frame4;  // "Details", in the place of "Address"
    std::array<Label*, 4> Label1{};  // "Birthday:", "e-mail:", "Home Page:", "Notes:"
    TextBox *Text8, *Text5, *Text6, *Text7;  // birthday, e-mail, home page, notes
    // Hidden holders of the shown entry's name, surname and birthday flag.
    TextBox *Text4, *Text10;
    CheckBox* Check1;
    Label* Label2;  // hidden: the letter group; each assignment refills the list
    CommandButton *Command3, *Command2, *Command1;  // "Add Entry", "Edit Entry", "Delete Entry"
    CommandButton* Command6;  // "Close"

    // "Add Entry", "Edit Entry" and "Delete Entry", disabled while the entry dialog is open.
    void setEntryButtonsEnabled(bool enabled);

    void Command4_Click(int index);
    void Label2_Change();
    void Combo1_Click();
    void Command5_Click();
    void Command3_Click();
    void Command2_Click();
    void Command1_Click();
    void Command6_Click();

private:
    // An edit that an earlier Address Book window left open in the dialog is
    // given up before the dialog takes another entry.
    void giveUpOpenEdit();
};
