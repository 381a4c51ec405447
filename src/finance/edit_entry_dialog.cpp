#include "finance/edit_entry_dialog.h"

#include "common/application.h"

namespace {
constexpr int LabelLeft = 120;
constexpr int FieldLeft = 1320;
}  // namespace

FinDialog2::FinDialog2() : Form(QStringLiteral("FinDialog2")) {
    setFrame(Border::FixedDialog, true);
    setCaption(QStringLiteral("Edit Entry"));
    setClientSize(6030, 2940);

    auto label = [this](const QString& name, const QString& caption, int top) {
        auto* l = new Label(this, name, caption);
        l->Move(LabelLeft, top + 45, FieldLeft - LabelLeft - 60, 255);
        return l;
    };
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Date:"), 480);
    DTPicker1 = new DatePicker(this, QStringLiteral("DTPicker1"));
    DTPicker1->Move(FieldLeft, 480, 1575, 315);
    setFirstInput(DTPicker1);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("Category:"), 960);
    Combo1 = new ComboBox(this, QStringLiteral("Combo1"), ComboBox::Style::DropdownCombo);
    Combo1->Move(FieldLeft, 960, 3255, 315);
    Combo1->setText(QStringLiteral("Combo1"));
    Label3 = label(QStringLiteral("Label3"), QStringLiteral("Description:"), 1560);
    Text1 = new TextBox(this, QStringLiteral("Text1"), QStringLiteral("Description"));
    Text1->Move(FieldLeft, 1560, 3255, 315);
    Text1->setMaxLength(30);
    Label4 = label(QStringLiteral("Label4"), QStringLiteral("Amount:"), 2040);
    Text2 = new TextBox(this, QStringLiteral("Text2"), QStringLiteral("100"));
    Text2->Move(FieldLeft, 2040, 1815, 315);
    Text2->setMaxLength(10);
    Label5 = label(QStringLiteral("Label5"), QStringLiteral("Entry:"), 2520);
    Label5->setVisibleFlag(false);
    Text3 = new TextBox(this, QStringLiteral("Text3"), QStringLiteral("1"));
    Text3->Move(FieldLeft, 2520, 1815, 315);
    Text3->setVisibleFlag(false);
    Text3->setEnabled(false);

    OKButton = new CommandButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"));
    OKButton->Move(4680, 120, 1215, 375);
    CancelButton = new CommandButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    CancelButton->Move(4680, 600, 1215, 375);
    connect(OKButton, &CommandButton::Click, this, &FinDialog2::OKButton_Click);
    connect(CancelButton, &CommandButton::Click, this, &FinDialog2::CancelButton_Click);
}

// A dialog made afresh while a portfolio is open offers its categories at once.
void FinDialog2::Form_Load() {
    if (!FinModule::vars().PortfolioOpen) return;
    for (int c = 1; c <= FinModule::CategoryCount; ++c) Combo1->AddItem(FinModule::vars().CategoryNames[c]);
}

// An entry that cannot be stored keeps the dialog open for a correction.
void FinDialog2::OKButton_Click() {
    if (!FinModule::CheckEditedEntry()) return;
    hide();
    FinModule::SaveEditedTransaction();
    FinModule::RefreshAccountBalances();
}

void FinDialog2::CancelButton_Click() { hide(); }
