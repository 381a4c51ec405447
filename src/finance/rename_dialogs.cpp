#include "finance/rename_dialogs.h"

#include "finance/fin_module.h"

namespace {
constexpr int NameLength = 30;

// The two dialogs share their layout: the list, the label and the name box
// on the left, OK and Cancel on the right.
template <class D>
void buildRenameDialog(D* dialog, const QString& caption, ComboBox::Style listStyle, const QString& label,
                       const QString& initialName) {
    dialog->setCaption(caption);
    dialog->Combo1 = new ComboBox(dialog, QStringLiteral("Combo1"), listStyle);
    dialog->Combo1->Move(120, 240, 4335, 315);
    dialog->setFirstInput(dialog->Combo1);
    dialog->Label1 = new Label(dialog, QStringLiteral("Label1"), label);
    dialog->Label1->Move(120, 780, 4335, 255);
    dialog->Text1 = new TextBox(dialog, QStringLiteral("Text1"), initialName);
    dialog->Text1->Move(120, 1080, 4335, 315);
    dialog->Text1->setMaxLength(NameLength);
    dialog->OKButton = new CommandButton(dialog, QStringLiteral("OKButton"), QStringLiteral("OK"));
    dialog->OKButton->Move(4680, 120, 1215, 375);
    dialog->CancelButton = new CommandButton(dialog, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    dialog->CancelButton->Move(4680, 600, 1215, 375);
    QObject::connect(dialog->OKButton, &CommandButton::Click, dialog, &D::OKButton_Click);
    QObject::connect(dialog->CancelButton, &CommandButton::Click, dialog, &D::CancelButton_Click);
}
}  // namespace

FinDialog::FinDialog() : Form(QStringLiteral("FinDialog")) {
    setFrame(Border::FixedDialog, true);
    setClientSize(6030, 1620);
    buildRenameDialog(this, QStringLiteral("Rename Account"), ComboBox::Style::DropdownList,
                      QStringLiteral("New Account Name:"), QStringLiteral("Account"));
}

// Both buttons hide the dialog, also when nothing was renamed; a name the
// file cannot hold keeps it open, with the name, for a correction.
void FinDialog::OKButton_Click() {
    if (FinModule::ApplyAccountRename()) hide();
}

void FinDialog::CancelButton_Click() { hide(); }

FinDialog1::FinDialog1() : Form(QStringLiteral("FinDialog1")) {
    setFrame(Border::FixedDialog, true);
    setClientSize(6030, 1620);
    buildRenameDialog(this, QStringLiteral("Change Category"), ComboBox::Style::DropdownCombo,
                      QStringLiteral("New Category:"), QStringLiteral("Category"));
}

void FinDialog1::OKButton_Click() {
    if (FinModule::ApplyCategoryRename()) hide();
}

void FinDialog1::CancelButton_Click() { hide(); }
