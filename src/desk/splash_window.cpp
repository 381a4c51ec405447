#include "desk/splash_window.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
constexpr quint32 Background = 0xFFFFC0;  // light cyan
}

frmSplash::frmSplash() : Form(QStringLiteral("frmSplash")) {
    setFrame(Border::None, false);
    setClientSize(5805, 3240);
    setBackground(this, colorFromValue(Background));

    Frame1 = new Frame(this, QStringLiteral("Frame1"));
    Frame1->Move(120, 0, 5640, 3210);
    Frame1->setBackColor(Background);

    imgLogo = new Image(Frame1, QStringLiteral("imgLogo"));
    imgLogo->Move(360, 480, 1215, 1425);
    imgLogo->setPicture(QPixmap(QStringLiteral(":/assets/books.png")));

    auto label = [this](const QString& name, int left, int top, int width, int height, const QString& text,
                        const QFont& font) {
        auto* l = new Label(Frame1, name, text);
        l->Move(left, top, width, height);
        l->setBackColor(Background);
        l->setFont(font);
        l->setWordWrap(false);
        // The installed fonts run a little wider than the ones the layout was made
        // for: a caption keeps its place and gets the width it needs.
        l->resize(qMax(l->width(), l->sizeHint().width()), l->height());
        return l;
    };
    lblCompanyProduct = label(QStringLiteral("lblCompanyProduct"), 1920, 480, 2085, 420, QStringLiteral("Tolvenar"),
                              fontOf(QStringLiteral("Arial"), 18, false, true));
    lblProductName = label(QStringLiteral("lblProductName"), 1920, 960, 3330, 480, QStringLiteral("Velmora Organizer"),
                           fontOf(QStringLiteral("Arial"), 20.25, true));
    Label4 = label(QStringLiteral("Label4"), 1920, 1560, 1335, 255, QStringLiteral("Version 1.0"),
                   fontOf(QStringLiteral("MS Sans Serif"), 8.25, true));
    Label3 = label(QStringLiteral("Label3"), 120, 2280, 1215, 255, QStringLiteral("Contact us:"),
                   fontOf(QStringLiteral("MS Sans Serif"), 8.25, true));
    Label1 = label(QStringLiteral("Label1"), 120, 2520, 2535, 255, QStringLiteral("www.tolvenar.example"),
                   fontOf(QStringLiteral("MS Sans Serif"), 8.25));
    Label2 = label(QStringLiteral("Label2"), 120, 2760, 2175, 255, QStringLiteral("support@tolvenar.example"),
                   fontOf(QStringLiteral("MS Sans Serif"), 8.25));

    Command1 = new CommandButton(Frame1, QStringLiteral("Command1"), QStringLiteral("Close"));
    Command1->Move(4320, 2640, 1095, 375);
    connect(Command1, &CommandButton::Click, this, &frmSplash::Command1_Click);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::Command1_Click() { Unload(); }
