#include "organizer/notes_window.h"

#include "organizer/notes.h"

Form2::Form2() : Form(QStringLiteral("Form2")) {
    setFrame(Border::Sizable, true, true, true);
    setCaption(QStringLiteral("Notes"));
    setClientSize(7470, 4890);

    Text1 = new TextBox(this, QStringLiteral("Text1"), QStringLiteral("Notes"), TextBox::Lines::Multi);
    Text1->Move(120, 120, 3135, 3615);
    Text1->setMaxLength(Module1::NoteTextLength);
    Text1->setVerticalScrollBar(TextBox::ScrollBar::AsNeeded);

    MSFlexGrid1 = new FlexGrid(this, QStringLiteral("MSFlexGrid1"), 1, 2, 0, 0);
    MSFlexGrid1->Move(3360, 120, 3975, 3615);

    auto button = [this](const QString& name, const QString& caption, int left, int top, int width) {
        auto* b = new CommandButton(this, name, caption);
        b->Move(left, top, width, 375);
        return b;
    };
    Command4 = button(QStringLiteral("Command4"), QStringLiteral("Clear Pad"), 120, 3840, 1335);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("<< View Note"), 4920, 3840, 1215);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("Delete Note"), 6240, 3840, 1095);
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Save Note As:"), 120, 4320, 1335);
    Command1->setEnabled(false);

    Text2 = new TextBox(this, QStringLiteral("Text2"), QStringLiteral("Note"));
    Text2->Move(1560, 4320, 2895, 375);
    Text2->setMaxLength(Module1::NoteTitleLength);

    Command5 = button(QStringLiteral("Command5"), QStringLiteral("Close"), 6240, 4440, 1095);

    MSFlexGrid2 = new FlexGrid(this, QStringLiteral("MSFlexGrid2"), 2, 6, 1, 1);
    MSFlexGrid2->Move(3960, 2280, 1815, 615);
    MSFlexGrid2->setVisibleFlag(false);

    connect(MSFlexGrid1, &FlexGrid::SelChange, this, &Form2::MSFlexGrid1_SelChange);
    connect(MSFlexGrid1, &FlexGrid::DblClick, this, &Form2::MSFlexGrid1_DblClick);
    connect(Command1, &CommandButton::Click, this, &Form2::Command1_Click);
    connect(Command2, &CommandButton::Click, this, &Form2::Command2_Click);
    connect(Command3, &CommandButton::Click, this, &Form2::Command3_Click);
    connect(Command4, &CommandButton::Click, this, &Form2::Command4_Click);
    connect(Command5, &CommandButton::Click, this, &Form2::Command5_Click);
    connect(Text1, &TextBox::Change, this, &Form2::Text1_Change);
    connect(Text2, &TextBox::Change, this, &Form2::Text2_Change);
}

void Form2::Form_Load() { Module1::FillNotesGrid(); }

// Coming back to the window, no note is selected.
void Form2::Form_Activate() { MSFlexGrid1->setRow(0); }

void Form2::MSFlexGrid1_SelChange() { Text2->setText(MSFlexGrid1->TextMatrix(MSFlexGrid1->Row(), 1)); }

void Form2::MSFlexGrid1_DblClick() { Module1::ViewNote(); }

void Form2::Command1_Click() {
    Module1::SaveNote();
    Command1->setEnabled(false);
}

void Form2::Command2_Click() { Module1::ViewNote(); }

void Form2::Command3_Click() { Module1::DeleteNote(); }

void Form2::Command4_Click() { Text1->setText(QString()); }

void Form2::Command5_Click() { hide(); }

void Form2::Text1_Change() { Command1->setEnabled(true); }

void Form2::Text2_Change() { Command1->setEnabled(true); }
