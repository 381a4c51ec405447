#include "organizer/address_book_window.h"

#include "common/application.h"
#include "organizer/address_entry_dialog.h"
#include "organizer/calendar_window.h"
#include "organizer/module1.h"

const std::array<const char*, Form3::Tabs> Form3::TabCaptions = {
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L",
    "M", "N", "O", "P", "QR", "S", "T", "U", "V", "W", "XYZ", "123"};

namespace {
constexpr float TabWidth = 495, TabHeight = 255, TabStep = 480, TabRowTop = 240;
constexpr float ButtonWidth = 1215, ButtonHeight = 375;
constexpr float PanelLeft = 3480, PanelTop = 1440, PanelWidth = 4215, PanelHeight = 2775;
const char* const PhoneCaptions[] = {"Home", "Business #1", "Business #2", "Mobile", "Fax", "Other"};
const char* const DetailCaptions[] = {"Birthday:", "e-mail:", "Home Page:", "Notes:"};
const QString ViewDetails = QStringLiteral("View Details");
const QString ViewAddress = QStringLiteral("View Address");

TextBox* readOnlyBox(QWidget* parent, const QString& name, float left, float top, float width, float height,
                     TextBox::Lines lines = TextBox::Lines::Single) {
    auto* box = new TextBox(parent, name, {}, lines);
    box->Move(left, top, width, height);
    box->setLocked(true);
    return box;
}
}  // namespace

Form3::Form3() : Form(QStringLiteral("Form3")) {
    setFrame(Border::Sizable, true, true, false);
    setCaption(QStringLiteral("Address Book"));
    setClientSize(7830, 4815);

    for (int i = 0; i < Tabs; ++i) {
        auto* tab = new CommandButton(this, QStringLiteral("Command4(%1)").arg(i), QString::fromLatin1(TabCaptions[size_t(i)]));
        tab->Move(TabStep * float(i % 12), i < 12 ? 0 : TabRowTop, TabWidth, TabHeight);
        tab->setBackColor(SystemButtonFace);
        Command4[size_t(i)] = tab;
        connect(tab, &CommandButton::Click, this, [this, i] { Command4_Click(i); });
    }

    Frame1 = new Frame(this, QStringLiteral("Frame1"), QStringLiteral("Name"));
    Frame1->Move(0, 600, 5775, 735);
    Combo1 = new ComboBox(Frame1, QStringLiteral("Combo1"), ComboBox::Style::DropdownList, ComboBox::Order::Sorted);
    Combo1->Move(120, 240, 5535, 315);
    Command5 = new CommandButton(this, QStringLiteral("Command5"), ViewDetails);
    Command5->Move(5880, 960, ButtonWidth, ButtonHeight);

    Frame3 = new Frame(this, QStringLiteral("Frame3"), QStringLiteral("Telephone Numbers"));
    Frame3->Move(0, PanelTop, 3375, PanelHeight);
    for (int i = 0; i < 6; ++i) {
        const float top = 360 + 360 * float(i);
        Label3[size_t(i)] = new Label(Frame3, QStringLiteral("Label3(%1)").arg(i), QString::fromLatin1(PhoneCaptions[i]));
        Label3[size_t(i)]->Move(120, top + 30, 1095, 255);
        Text3[size_t(i)] = readOnlyBox(Frame3, QStringLiteral("Text3(%1)").arg(i), 1320, top, 1935, 285);
    }

    Frame2 = new Frame(this, QStringLiteral("Frame2"), QStringLiteral("Address"));
    Frame2->Move(PanelLeft, PanelTop, PanelWidth, PanelHeight);
    Text1 = readOnlyBox(Frame2, QStringLiteral("Text1"), 120, 240, 3975, 2415, TextBox::Lines::Multi);

    Frame4 = new Frame(this, QStringLiteral("Frame4"), QStringLiteral("Details"));
    Frame4->Move(PanelLeft, PanelTop, PanelWidth, PanelHeight);
    Frame4->setVisible(false);
    for (int i = 0; i < 4; ++i) {
        Label1[size_t(i)] = new Label(Frame4, QStringLiteral("Label1(%1)").arg(i), QString::fromLatin1(DetailCaptions[i]));
        Label1[size_t(i)]->Move(120, 270 + 360 * float(i), 1035, 255);
    }
    Text8 = readOnlyBox(Frame4, QStringLiteral("Text8"), 1200, 240, 1935, 285);
    Text5 = readOnlyBox(Frame4, QStringLiteral("Text5"), 1200, 600, 2895, 285);
    Text6 = readOnlyBox(Frame4, QStringLiteral("Text6"), 1200, 960, 2895, 285);
    Text7 = readOnlyBox(Frame4, QStringLiteral("Text7"), 1200, 1320, 2895, 1335, TextBox::Lines::Multi);
    Text7->setVerticalScrollBar(TextBox::ScrollBar::Always);
    Text4 = new TextBox(Frame4, QStringLiteral("Text4"));
    Text4->setVisible(false);
    Text10 = new TextBox(Frame4, QStringLiteral("Text10"));
    Text10->setVisible(false);
    Check1 = new CheckBox(Frame4, QStringLiteral("Check1"));
    Check1->setVisible(false);

    Label2 = new Label(this, QStringLiteral("Label2"), QStringLiteral("A"));
    Label2->setVisible(false);

    auto button = [this](const QString& name, const QString& caption, float left) {
        auto* b = new CommandButton(this, name, caption);
        b->Move(left, 4320, ButtonWidth, ButtonHeight);
        return b;
    };
    Command6 = button(QStringLiteral("Command6"), QStringLiteral("Close"), 120);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("Add Entry"), 3840);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("Edit Entry"), 5160);
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Delete Entry"), 6480);

    connect(Label2, &Label::Change, this, &Form3::Label2_Change);
    connect(Combo1, &ComboBox::Click, this, &Form3::Combo1_Click);
    connect(Command5, &CommandButton::Click, this, &Form3::Command5_Click);
    connect(Command3, &CommandButton::Click, this, &Form3::Command3_Click);
    connect(Command2, &CommandButton::Click, this, &Form3::Command2_Click);
    connect(Command1, &CommandButton::Click, this, &Form3::Command1_Click);
    connect(Command6, &CommandButton::Click, this, &Form3::Command6_Click);
}

void Form3::setEntryButtonsEnabled(bool enabled) {
    Command1->setEnabled(enabled);
    Command2->setEnabled(enabled);
    Command3->setEnabled(enabled);
}

// The chosen tab turns yellow and its caption becomes the letter group, which
// refills the list, also when the same tab is clicked again.
void Form3::Command4_Click(int index) {
    for (CommandButton* tab : Command4) tab->setBackColor(SystemButtonFace);
    Command4[size_t(index)]->setBackColor(ChosenTabColor);
    Label2->setCaption(Command4[size_t(index)]->Caption());
}

void Form3::Label2_Change() {
    Module1::FillAddressNameList();
    Module1::ShowAddressEntry();
}

void Form3::Combo1_Click() { Module1::ShowAddressEntry(); }

void Form3::Command5_Click() {
    const bool details = Command5->Caption() == ViewDetails;
    Command5->setCaption(details ? ViewAddress : ViewDetails);
    Frame2->setVisible(!details);
    Frame4->setVisible(details);
}

// The edit's entry never left the file: it stays as it was.
void Form3::giveUpOpenEdit() {
    if (Module1::GiveUpAddressEdit()) app().window<Form7>().Command3->setVisible(true);
}

// "Add Entry": the dialog with empty boxes, its birthday the calendar's date.
void Form3::Command3_Click() {
    giveUpOpenEdit();
    Module1::vars().EditMode = false;
    setEntryButtonsEnabled(false);
    Form7& dialog = app().window<Form7>();
    for (TextBox* box : dialog.Text2) box->setText(QString());
    for (TextBox* box : dialog.Text3) box->setText(QString());
    dialog.setCaption(QStringLiteral("Add Address Book Entry"));
    dialog.DTPicker1->setValue(app().window<Form1>().Calendar1->Value());
    dialog.Check1->setValue(0);
    dialog.Show(*this);
}

// "Edit Entry": the dialog takes the shown entry, which stays in the file
// until the dialog's OK stores the edit in its place; "Cancel" is hidden
// meanwhile.
void Form3::Command2_Click() {
    if (Combo1->Text().isEmpty()) return;
    giveUpOpenEdit();
    Module1::vars().EditMode = true;
    setEntryButtonsEnabled(false);
    Form7& dialog = app().window<Form7>();
    const std::array<TextBox*, 6> shown = {Text4, Text10, Text1, Text5, Text6, Text7};
    for (size_t i = 0; i < shown.size(); ++i) dialog.Text2[i]->setText(shown[i]->Text());
    // The birthday text names the date as day, month and year.
    const QStringList parts = Text8->Text().split(u'/');
    const QDate birthday = parts.size() == 3 ? QDate(parts[2].toInt(), parts[1].toInt(), parts[0].toInt()) : QDate();
    if (birthday.isValid()) dialog.DTPicker1->setValue(birthday);
    dialog.Check1->setValue(Check1->Value() == 1 ? 1 : 0);
    for (size_t i = 0; i < Text3.size(); ++i) dialog.Text3[i]->setText(Text3[i]->Text());
    dialog.setCaption(QStringLiteral("Edit Address Book Entry"));
    Module1::BeginAddressEdit();
    dialog.Command3->setVisible(false);
    dialog.Show(*this);
}

// "Delete Entry", without confirmation.
void Form3::Command1_Click() {
    Module1::DeleteAddressEntry();
    Module1::FillAddressNameList();
    Module1::ShowAddressEntry();
}

void Form3::Command6_Click() { hide(); }
