#include "organizer/address_entry_dialog.h"

#include "common/application.h"
#include "organizer/address_book_window.h"
#include "organizer/module1.h"

namespace {
constexpr float LabelWidth = 1095, LabelHeight = 255, BoxLeft = 1320, BoxWidth = 4695, LineHeight = 285;

struct Input {
    const char* caption;
    float top;
    float height;
    int maxLength;
    TextBox::Lines lines;
};
// Name, surname, address, e-mail, home page, notes.
const Input Inputs[] = {
    {"Name:", 240, LineHeight, 20, TextBox::Lines::Single},
    {"Surname:", 600, LineHeight, 20, TextBox::Lines::Single},
    {"Address:", 960, 1125, 100, TextBox::Lines::Multi},
    {"e-mail:", 2640, LineHeight, 30, TextBox::Lines::Single},
    {"Home Page:", 3000, LineHeight, 30, TextBox::Lines::Single},
    {"Notes:", 3360, 1125, 100, TextBox::Lines::Multi},
};
const char* const PhoneCaptions[] = {"Home", "Business #1", "Business #2", "Mobile", "Fax", "Other"};
constexpr int PhoneLength = 20;
}  // namespace

Form7::Form7() : Form(QStringLiteral("Form7")) {
    setFrame(Border::FixedTool, false);
    setCaption(QStringLiteral("Add Address Book Entry"));
    setClientSize(7725, 6480);

    for (int i = 0; i < 6; ++i) {
        const Input& in = Inputs[i];
        Label1[size_t(i)] = new Label(this, QStringLiteral("Label1(%1)").arg(i), QString::fromLatin1(in.caption));
        Label1[size_t(i)]->Move(120, in.top + 30, LabelWidth, LabelHeight);
        Text2[size_t(i)] = new TextBox(this, QStringLiteral("Text2(%1)").arg(i), {}, in.lines);
        Text2[size_t(i)]->Move(BoxLeft, in.top, i == 5 ? 2415 : BoxWidth, in.height);
        Text2[size_t(i)]->setMaxLength(in.maxLength);
    }
    Check1 = new CheckBox(this, QStringLiteral("Check1"), QStringLiteral("Birthday"));
    Check1->Move(120, 2280, 1095, 255);
    DTPicker1 = new DatePicker(this, QStringLiteral("DTPicker1"));
    DTPicker1->Move(1320, 2160, 2895, 375);

    Frame3 = new Frame(this, QStringLiteral("Frame3"), QStringLiteral("Phone Numbers"));
    Frame3->Move(120, 4680, 7455, 1575);
    for (int i = 0; i < 6; ++i) {
        const float left = i < 3 ? 120 : 3840, top = 360 + 360 * float(i % 3);
        Label1[size_t(6 + i)] = new Label(Frame3, QStringLiteral("Label1(%1)").arg(6 + i), QString::fromLatin1(PhoneCaptions[i]));
        Label1[size_t(6 + i)]->Move(left, top + 30, LabelWidth, LabelHeight);
        Text3[size_t(i)] = new TextBox(Frame3, QStringLiteral("Text3(%1)").arg(i));
        Text3[size_t(i)]->Move(left + 1200, top, 2175, LineHeight);
        Text3[size_t(i)]->setMaxLength(PhoneLength);
    }

    Command1 = new CommandButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->Move(6240, 240, 1335, 375);
    Command3 = new CommandButton(this, QStringLiteral("Command3"), QStringLiteral("Cancel"));
    Command3->Move(6240, 720, 1335, 375);

    // Name, surname, address, "Birthday", the date, e-mail, home page, notes,
    // the phones, "OK", "Cancel".
    const QList<QWidget*> order = {Text2[0], Text2[1], Text2[2], Check1,   DTPicker1, Text2[3], Text2[4], Text2[5],
                                   Text3[0], Text3[1], Text3[2], Text3[3], Text3[4],  Text3[5], Command1, Command3};
    auto focusTaker = [](QWidget* w) { return w->focusProxy() ? w->focusProxy() : w; };
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(focusTaker(order[i - 1]), focusTaker(order[i]));
    setFirstInput(Text2[0]);

    connect(Command1, &CommandButton::Click, this, &Form7::Command1_Click);
    connect(Command3, &CommandButton::Click, this, &Form7::Command3_Click);
}

void Form7::Command1_Click() {
    if (Text2[1]->Text().isEmpty()) return app().message(QStringLiteral("You need to supply a Surname!"));
    // After an edit "Cancel" shows again, whatever other windows have done to
    // EditMode meanwhile.
    const bool editing = Module1::vars().EditedAddressKey.has_value();
    if (!Module1::AddAddressEntry()) return;
    if (editing) Command3->setVisible(true);
    Module1::FillAddressNameList();
    Module1::ShowAddressEntry();
    hide();
    app().window<Form3>().setEntryButtonsEnabled(true);
}

void Form7::Command3_Click() {
    hide();
    app().window<Form3>().setEntryButtonsEnabled(true);
}
