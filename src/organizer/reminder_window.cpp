#include "organizer/reminder_window.h"

#include "organizer/reminders.h"

namespace {
constexpr quint32 DarkBlue = 0xC00000;
constexpr quint32 White = 0xFFFFFF;
}  // namespace

Form8::Form8() : Form(QStringLiteral("Form8")) {
    setFrame(Border::Fixed, false);
    // It must not take the activation: coming back to a dialog that resets its
    // inputs on activation would lose what the user is typing there.
    setTakesNoActivation();
    setCaption(QStringLiteral("Reminder"));
    setClientSize(4665, 1890);

    const QFont bold = fontOf(QStringLiteral("MS Sans Serif"), 8.25, true);
    auto label = [&](const QString& name, int left, int top, int width, int height, const QString& text) {
        auto* l = new Label(this, name, text);
        l->Move(left, top, width, height);
        l->setFont(bold);
        l->setWordWrap(false);
        return l;
    };
    Label1 = label(QStringLiteral("Label1"), 0, 120, 3015, 375, QStringLiteral("You have a meeting in"));
    Label2 = label(QStringLiteral("Label2"), 2040, 120, 735, 255, QStringLiteral("15"));
    Label2->setForeColor(DarkBlue);
    Label3 = label(QStringLiteral("Label3"), 2520, 120, 1095, 255, QStringLiteral("minutes."));
    Label4 = label(QStringLiteral("Label4"), 0, 720, 1215, 255, QStringLiteral("Subject:"));
    Label5 = label(QStringLiteral("Label5"), 0, 1200, 1215, 255, QStringLiteral("Start Time"));
    Label6 = label(QStringLiteral("Label6"), 0, 1560, 1215, 255, QStringLiteral("End Time"));
    const int valueLeft = 1320;
    const int valueTops[] = {720, 1200, 1560};
    const int valueWidths[] = {3255, 615, 615};
    for (int i = 0; i < 3; ++i) {
        Label7[i] = label(QStringLiteral("Label7(%1)").arg(i), valueLeft, valueTops[i], valueWidths[i], 255, QString());
        Label7[i]->setBackColor(White);
        Label7[i]->setForeColor(DarkBlue);
    }

    Command1 = new CommandButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->Move(3360, 1440, 1215, 375);
    connect(Command1, &CommandButton::Click, this, &Form8::Command1_Click);
}

void Form8::Command1_Click() { Module1::ShowNextReminder(); }
