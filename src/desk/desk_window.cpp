#include "desk/desk_window.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include "common/application.h"
#include "common/conversions.h"
#include "desk/module2.h"
#include "desk/splash_window.h"
#include "finance/finance_window.h"
#include "help/help_topics_window.h"
#include "organizer/address_book_window.h"
#include "organizer/calendar_window.h"
#include "organizer/module1.h"
#include "organizer/notes_window.h"
#include "organizer/reminders.h"

namespace {
constexpr quint32 HandleColor = 0x000080;  // dark red
constexpr quint32 LabelColor = 0xC0FFFF;   // light yellow
constexpr double SplashSeconds = 2;
constexpr double PassWaitSeconds = 0.02;

QPixmap asset(const QString& name) { return QPixmap(QStringLiteral(":/assets/") + name + QStringLiteral(".png")); }

// Every opener of the desk brings its window up at normal size.
template <class W>
void openWindow() {
    W& window = app().window<W>();
    window.setNormalState();
    window.Show();
}
}  // namespace

Desk::Desk() : Form(QStringLiteral("Desk")) {
    app().setMainWindow(this);
    setFrame(Border::Fixed, true);
    setCaption(QStringLiteral("Velmora Organizer"));
    setWindowIcon(QIcon(asset(QStringLiteral("red_pen"))));
    setClientSize(5040, 5025);

    // Built from the bottom of the stacking order up: a later sibling lies on top.
    static const int TileSteps[] = {0, 840, 1680, 2520, 3360, 4200};
    for (int i = 0; i < 36; ++i) {
        // Eighteen single tiles, then the six arrays of three.
        const QString name = i < 18 ? QStringLiteral("Image%1").arg(24 + i)
                                    : QStringLiteral("Image%1(%2)").arg(QStringList{"16", "19", "20", "21", "22", "23"}[(i - 18) / 3]).arg((i - 18) % 3);
        tiles[i] = picture(name, TileSteps[i % 6], TileSteps[i / 6], 810, 810, QStringLiteral("marble"));
    }
    Image10 = picture(QStringLiteral("Image10"), 3480, 2400, 1335, 1455, QStringLiteral("pedestal"));
    Image18 = picture(QStringLiteral("Image18"), 120, 2400, 1335, 1455, QStringLiteral("pedestal"));
    Image10->setSingleBorder(true);
    Image18->setSingleBorder(true);
    Image1 = picture(QStringLiteral("Image1"), 120, 240, 4695, 2175, QStringLiteral("desk_top"));
    Image8 = picture(QStringLiteral("Image8"), 1680, 1200, 1575, 1095, QStringLiteral("calendar_large"), QStringLiteral("Calendar"));
    Image9 = picture(QStringLiteral("Image9"), 3480, 1560, 1215, 540, QStringLiteral("address_book"), QStringLiteral("Contacts"));
    Image11 = picture(QStringLiteral("Image11"), 4080, 960, 600, 600, QStringLiteral("contacts_card"), QStringLiteral("Contacts"));
    Image13 = picture(QStringLiteral("Image13"), 2880, 840, 480, 600, QStringLiteral("calendar_small"), QStringLiteral("Calendar"));
    Image14 = picture(QStringLiteral("Image14"), 360, 960, 735, 900, QStringLiteral("notepad"), QStringLiteral("Notes"));
    Image12 = picture(QStringLiteral("Image12"), 240, 120, 840, 600, QStringLiteral("books"), QStringLiteral("File"));
    buildDrawers();
    Image43 = picture(QStringLiteral("Image43"), 2520, 960, 480, 465, QStringLiteral("light_bulb"),
                      QStringLiteral("You have an appointment today!"));
    Image17 = picture(QStringLiteral("Image17"), 1560, 360, 495, 705, QString(), QStringLiteral("Photo"));
    Image17->setSingleBorder(true);
    Image42 = picture(QStringLiteral("Image42"), 3720, 480, 420, 375, QStringLiteral("finance_coins"), QStringLiteral("Finances"));
    Image44 = picture(QStringLiteral("Image44"), 3120, 480, 735, 255, QStringLiteral("finance_ledger"), QStringLiteral("Finances"));

    struct Handle { CommandButton** button; const char* name; int frontLeft; int closedTop; const char* tooltip; };
    const Handle handles[] = {
        {&Command1, "Command1", 3480, 2400, "Finances"}, {&Command2, "Command2", 3480, 2880, "Inventory"},
        {&Command3, "Command3", 3480, 3360, nullptr},    {&Command4, "Command4", 120, 2400, "Calendar"},
        {&Command5, "Command5", 120, 2880, "Address Book"}, {&Command6, "Command6", 120, 3360, "Notes"},
    };
    for (const Handle& h : handles) {
        auto* button = new CommandButton(this, QString::fromLatin1(h.name));
        button->Move(h.frontLeft + 480, h.closedTop + 240, 375, 135);
        button->setBackColor(HandleColor);
        button->setFocusPolicy(Qt::NoFocus);
        if (h.tooltip) button->setToolTip(QString::fromLatin1(h.tooltip));
        *h.button = button;
    }

    buildMenus();
    Timer1 = new IntervalTimer(this, QStringLiteral("Timer1"), 60000, true);

    connect(&app(), &Application::fileReplaced, this, &Module1::ShowReplacedFile);
    connect(Command1, &CommandButton::Click, this, &Desk::Command1_Click);
    connect(Command2, &CommandButton::Click, this, &Desk::Command2_Click);
    connect(Command3, &CommandButton::Click, this, &Desk::Command3_Click);
    connect(Command4, &CommandButton::Click, this, &Desk::Command4_Click);
    connect(Command5, &CommandButton::Click, this, &Desk::Command5_Click);
    connect(Command6, &CommandButton::Click, this, &Desk::Command6_Click);
    connect(Label1, &Label::Click, this, &Desk::Label1_Click);
    connect(Label2, &Label::Click, this, &Desk::Label2_Click);
    connect(Label3, &Label::Click, this, &Desk::Label3_Click);
    connect(Label4, &Label::Click, this, &Desk::Label4_Click);
    connect(Label5, &Label::Click, this, &Desk::Label5_Click);
    connect(Label6, &Label::Click, this, &Desk::Label6_Click);
    connect(Image8, &Image::DblClick, this, &Desk::Image8_DblClick);
    connect(Image13, &Image::DblClick, this, &Desk::Image13_DblClick);
    connect(Image43, &Image::DblClick, this, &Desk::Image43_DblClick);
    connect(Image9, &Image::DblClick, this, &Desk::Image9_DblClick);
    connect(Image11, &Image::DblClick, this, &Desk::Image11_DblClick);
    connect(Image14, &Image::DblClick, this, &Desk::Image14_DblClick);
    connect(Image42, &Image::DblClick, this, &Desk::Image42_DblClick);
    connect(Image44, &Image::DblClick, this, &Desk::Image44_DblClick);
    connect(Image12, &Image::MouseUp, this, &Desk::Image12_MouseUp);
    connect(Image17, &Image::MouseUp, this, &Desk::Image17_MouseUp);
    connect(Timer1, &IntervalTimer::Timer, this, &Desk::Timer1_Timer);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

Image* Desk::picture(const QString& name, int left, int top, int width, int height, const QString& assetName,
                     const QString& tooltip) {
    auto* image = new Image(this, name);
    image->Move(left, top, width, height);
    if (!assetName.isEmpty()) image->setPicture(asset(assetName));
    if (!tooltip.isEmpty()) image->setToolTip(tooltip);
    return image;
}

void Desk::buildDrawers() {
    // Labels Label1 (lowest) to Label6, then the fronts Image7 (lowest) to Image2.
    struct DrawerLabel { Label** label; const char* name; int left; int closedTop; const char* caption; };
    const DrawerLabel labels[] = {
        {&Label1, "Label1", 3600, 2400, "Finances"}, {&Label2, "Label2", 3600, 2880, "Help"},
        {&Label3, "Label3", 3600, 3360, "Exit"},     {&Label4, "Label4", 240, 2400, "Calendar"},
        {&Label5, "Label5", 240, 2880, "Contacts"},  {&Label6, "Label6", 240, 3360, "Notes"},
    };
    for (const DrawerLabel& l : labels) {
        auto* label = new Label(this, QString::fromLatin1(l.name), QString::fromLatin1(l.caption));
        label->Move(l.left, l.closedTop + 120, 855, 255);
        label->setBackColor(LabelColor);
        label->setFont(fontOf(QStringLiteral("MS Sans Serif"), 8.25, true, true));
        label->setCursor(Qt::PointingHandCursor);
        *l.label = label;
    }
    struct Front { Image** image; const char* name; int left; int closedTop; };
    const Front fronts[] = {
        {&Image7, "Image7", 120, 3360},  {&Image6, "Image6", 120, 2880},  {&Image5, "Image5", 120, 2400},
        {&Image4, "Image4", 3480, 3360}, {&Image3, "Image3", 3480, 2880}, {&Image2, "Image2", 3480, 2400},
    };
    for (const Front& f : fronts) {
        *f.image = picture(QString::fromLatin1(f.name), f.left, f.closedTop, 1335, 495, QStringLiteral("drawer_front"));
        (*f.image)->setSingleBorder(true);
    }
}

void Desk::buildMenus() {
    mnuFile = new PopupMenu(this, QStringLiteral("mnuFile"), QStringLiteral("mnuFile"));
    View = mnuFile->addSubmenu(QStringLiteral("View"), QStringLiteral("View"));
    Calendar = View->addItem(QStringLiteral("Calendar"), QStringLiteral("Calendar"));
    AddBook = View->addItem(QStringLiteral("AddBook"), QStringLiteral("Address Book"));
    Notes = View->addItem(QStringLiteral("Notes"), QStringLiteral("Notes"));
    Space3 = View->addNamedSeparator(QStringLiteral("Space3"));
    View_Fin = View->addItem(QStringLiteral("View_Fin"), QStringLiteral("Finances"));
    Space = mnuFile->addNamedSeparator(QStringLiteral("Space"));
    Help = mnuFile->addSubmenu(QStringLiteral("Help"), QStringLiteral("Help"));
    About = Help->addItem(QStringLiteral("About"), QStringLiteral("About"));
    HTopics = Help->addItem(QStringLiteral("HTopics"), QStringLiteral("Help Topics"));
    Space2 = mnuFile->addNamedSeparator(QStringLiteral("Space2"));
    Exit = mnuFile->addItem(QStringLiteral("Exit"), QStringLiteral("Exit"));

    mnuPhoto = new PopupMenu(this, QStringLiteral("mnuPhoto"), QStringLiteral("mnuPhoto"));
    Photo = mnuPhoto->addItem(QStringLiteral("Photo"), QStringLiteral("Change Photo"));
    SPhoto = mnuPhoto->addItem(QStringLiteral("SPhoto"), QStringLiteral("Shrink Photo"));

    connect(Calendar, &QAction::triggered, this, &Desk::Calendar_Click);
    connect(AddBook, &QAction::triggered, this, &Desk::AddBook_Click);
    connect(Notes, &QAction::triggered, this, &Desk::Notes_Click);
    connect(View_Fin, &QAction::triggered, this, &Desk::View_Fin_Click);
    connect(About, &QAction::triggered, this, &Desk::About_Click);
    connect(HTopics, &QAction::triggered, this, &Desk::HTopics_Click);
    connect(Exit, &QAction::triggered, this, &Desk::Exit_Click);
    connect(Photo, &QAction::triggered, this, &Desk::Photo_Click);
    connect(SPhoto, &QAction::triggered, this, &Desk::SPhoto_Click);
}

// Start-up: the data folder is locked for this organizer first; then the
// splash stays up until the start time, rounded to the whole second, plus two
// seconds, and meanwhile the data files are opened on every pass.
void Desk::Form_Load() {
    if (!Module1::LockDataDirectory(QDir::currentPath())) return;
    frmSplash& splash = app().window<frmSplash>();
    splash.Command1->setVisible(false);
    splash.Show();

    Clock& clock = app().clock();
    const double start = clock.timeOfDay();
    const double length = Conversions::roundHalfEven(start) + SplashSeconds - start;
    const double began = clock.elapsed();
    while (clock.elapsed() - began < length) {
        Module1::vars().DataDirectory = QDir::currentPath();
        Module1::OpenDataFiles();
        if (app().ending()) return;
        Module1::ShowTodayMarker();
        Module1::vars().ReminderCheckOff = false;
        clock.waitForEvents(PassWaitSeconds);
    }

    splash.hide();
    splash.Command1->setVisible(true);
    Show();
}

void Desk::Form_Unload() { Module1::CloseFilesAndEnd(); }

void Desk::Calendar_Click() { openWindow<Form1>(); }

void Desk::AddBook_Click() { openWindow<Form3>(); }

void Desk::Notes_Click() { openWindow<Form2>(); }

void Desk::HTopics_Click() { openWindow<Form12>(); }

void Desk::View_Fin_Click() { openWindow<FinMDIForm1>(); }

void Desk::About_Click() { app().window<frmSplash>().Show(*this); }

void Desk::Exit_Click() { Module1::CloseFilesAndEnd(); }

void Desk::Image12_MouseUp(int button, int, float, float) {
    if (button == 2) mnuFile->popUpAtMouse();
}

void Desk::Image17_MouseUp(int button, int, float, float) {
    if (button == 2)
        mnuPhoto->popUpAtMouse();
    else if (button == 1)
        Module2::EnlargePhoto();
}

void Desk::Photo_Click() { Module2::ChangePhoto(); }

void Desk::SPhoto_Click() { Module2::ShrinkPhoto(); }

void Desk::Timer1_Timer() { Module1::CheckReminders(); }

void Desk::Command1_Click() { Module2::clickDrawerHandle(Module2::Drawer::Finances); }
void Desk::Command2_Click() { Module2::clickDrawerHandle(Module2::Drawer::Help); }
void Desk::Command3_Click() { Module2::clickDrawerHandle(Module2::Drawer::Exit); }
void Desk::Command4_Click() { Module2::clickDrawerHandle(Module2::Drawer::Calendar); }
void Desk::Command5_Click() { Module2::clickDrawerHandle(Module2::Drawer::Contacts); }
void Desk::Command6_Click() { Module2::clickDrawerHandle(Module2::Drawer::Notes); }

// A label is reachable only while its drawer is open: the drawer slides shut,
// then the label's utility opens.
void Desk::Label1_Click() {
    Module2::CloseFinancesDrawer();
    View_Fin_Click();
}
void Desk::Label2_Click() {
    Module2::CloseHelpDrawer();
    HTopics_Click();
}
void Desk::Label3_Click() {
    Module2::CloseExitDrawer();
    Module1::CloseFilesAndEnd();
}
void Desk::Label4_Click() {
    Module2::CloseCalendarDrawer();
    Calendar_Click();
}
void Desk::Label5_Click() {
    Module2::CloseContactsDrawer();
    AddBook_Click();
}
void Desk::Label6_Click() {
    Module2::CloseNotesDrawer();
    Notes_Click();
}
