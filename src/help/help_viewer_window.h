#pragma once
#include <array>

#include "common/form.h"
#include "controls/command_button.h"
#include "controls/rich_text_box.h"
#include "controls/text_box.h"

// The help viewer: one page at a time, "<<" and ">>" to step through the
// pages, "Index" back to the Help Topics tree. The pages are the boxes of the
// control array HelpFile, loaded with their documents when the window is made;
// the hidden Text1 holds the number of the page shown.
class Form13 : public Form {
    Q_OBJECT
public:
    Form13();

    void Form_Activate() override;

    CommandButton* Command1;  // "Index"
    CommandButton* Command2;  // "<<"
    CommandButton* Command3;  // ">>"
    TextBox* Text1;           // the page shown, never visible
    // The page box k = 10 x chapter + topic (chapters 0 .. 8, topics 1 .. 6);
    // null for any other number.
    RichTextBox* HelpFile(int k) const;

    // Shows page p as the only visible page box and notes it in Text1.
    void ShowHelpPage(int p);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    void step(int direction);
    void setButtonStates();

    std::array<RichTextBox*, 10 * 8 + 6 + 1> helpFile_{};
};
