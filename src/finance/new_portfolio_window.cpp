#include "finance/new_portfolio_window.h"

#include <QDir>

#include "common/application.h"
#include "finance/fin_module.h"

FinForm3::FinForm3() : Form(QStringLiteral("FinForm3")) {
    setFrame(Border::FixedTool, true);
    setCaption(QStringLiteral("New Portfolio"));
    setClientSize(5295, 4035);

    Label1 = new Label(this, QStringLiteral("Label1"), QStringLiteral("Enter new Portfolio Name:"));
    Label1->Move(120, 120, 3735, 255);
    Text1 = new TextBox(this, QStringLiteral("Text1"), QStringLiteral("Portfolio1"));
    Text1->Move(120, 420, 3735, 315);
    setFirstInput(Text1);
    Text1->setMaxLength(20);
    Drive1 = new DriveListBox(this, QStringLiteral("Drive1"));
    Drive1->Move(120, 900, 3735, 315);
    Dir1 = new DirListBox(this, QStringLiteral("Dir1"));
    Dir1->Move(120, 1320, 3735, 2595);
    Command1 = new CommandButton(this, QStringLiteral("Command1"), QStringLiteral("Save"));
    Command1->Move(4080, 420, 1095, 375);
    Command2 = new CommandButton(this, QStringLiteral("Command2"), QStringLiteral("Cancel"));
    Command2->Move(4080, 900, 1095, 375);

    connect(Command1, &CommandButton::Click, this, &FinForm3::Command1_Click);
    connect(Command2, &CommandButton::Click, this, &FinForm3::Command2_Click);
    connect(Drive1, &DriveListBox::Change, this, &FinForm3::Drive1_Change);
    connect(Dir1, &DirListBox::ReadFailed, this, &FinForm3::Dir1_ReadFailed);
}

void FinForm3::Command1_Click() {
    hide();
    FinModule::CreatePortfolio();
}

void FinForm3::Command2_Click() { hide(); }

// The folder list goes to the chosen drive. A drive that cannot be read
// leaves the folder list where it was, and the drive list follows it back.
void FinForm3::Drive1_Change() {
    if (Dir1->openFolder(Drive1->Drive())) return;
    const QSignalBlocker quiet(Drive1);
    Drive1->setDrive(Dir1->Path());
}

void FinForm3::Dir1_ReadFailed(const QString& folder, const QString& reason) {
    app().message(QStringLiteral("The folder \"%1\" cannot be read: %2.").arg(QDir::toNativeSeparators(folder), reason));
}
