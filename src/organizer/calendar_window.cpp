#include "organizer/calendar_window.h"

#include "common/application.h"
#include "organizer/activities_window.h"
#include "organizer/module1.h"

namespace {
constexpr float MarkerSize = 255;
constexpr float ColumnWidth = 1080;
constexpr float BirthdayMarkerLeft = 240;     // of the first column; the appointment marker follows
constexpr float AppointmentMarkerLeft = 480;
constexpr std::array<float, 6> MarkerTops = {1200, 1920, 2640, 3360, 3960, 4680};
constexpr float CalendarLeft = -120;
// A day cell begins this far left of and above its birthday marker.
constexpr float CellMargin = 120;
constexpr float CellsBottom = 5280;

QPixmap asset(const QString& name) { return QPixmap(QStringLiteral(":/assets/") + name + QStringLiteral(".png")); }
}  // namespace

Form1::Form1() : Form(QStringLiteral("Form1")) {
    setFrame(Border::Sizable, true, true, true);
    setCaption(QStringLiteral("Calendar"));
    setClientSize(7890, 5385);

    Calendar1 = new MonthCalendar(this, QStringLiteral("Calendar1"));
    Calendar1->Move(CalendarLeft, 0, 7935, 5295);
    // The cells lie under the markers: each holds its two dots in its top left corner.
    std::array<float, 7> rowEdges{};
    for (size_t r = 0; r < MarkerTops.size(); ++r) rowEdges[r] = MarkerTops[r] - CellMargin;
    rowEdges[6] = CellsBottom;
    // The title sits between the legend and the arrows.
    Calendar1->setDayCells(BirthdayMarkerLeft - CellMargin - CalendarLeft, ColumnWidth, rowEdges,
                           QRectF(2175 - CalendarLeft, 0, 4920 - 2175, rowEdges[0] - 300));

    UpDown1 = new UpDown(this, QStringLiteral("UpDown1"));
    UpDown1->Move(4920, 120, 852, 240);
    Command1 = new CommandButton(this, QStringLiteral("Command1"), QStringLiteral("Close"));
    Command1->Move(6600, 120, 1095, 375);
    Picture3 = new PictureBox(this, QStringLiteral("Picture3"));
    Picture3->Move(480, 0, 1695, 495);
    Picture3->setPicture(asset(QStringLiteral("marker_legend")));

    const QPixmap birthday = asset(QStringLiteral("birthday_marker"));
    const QPixmap appointment = asset(QStringLiteral("appointment_marker"));
    for (int i = 0; i <= MonthCalendar::Cells; ++i) {
        Picture1[i] = new PictureBox(this, QStringLiteral("Picture1"), i);
        Picture1[i]->setPicture(birthday);
        Picture2[i] = new PictureBox(this, QStringLiteral("Picture2"), i);
        Picture2[i]->setPicture(appointment);
        if (i == 0) {
            Picture1[i]->Move(240, 0, MarkerSize, MarkerSize);
            Picture2[i]->Move(240, 240, MarkerSize, MarkerSize);
            continue;
        }
        const int column = (i - 1) % 7, row = (i - 1) / 7;
        const float top = MarkerTops[size_t(row)];
        Picture1[i]->Move(BirthdayMarkerLeft + ColumnWidth * float(column), top, MarkerSize, MarkerSize);
        Picture2[i]->Move(AppointmentMarkerLeft + ColumnWidth * float(column), top, MarkerSize, MarkerSize);
        for (PictureBox* marker : {Picture1[i], Picture2[i]}) {
            marker->setVisible(false);
            // A dot is part of its day: clicks go through to the calendar.
            marker->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
    }

    connect(Calendar1, &MonthCalendar::AfterUpdate, this, &Form1::Calendar1_AfterUpdate);
    connect(Calendar1, &MonthCalendar::DblClick, this, &Form1::Calendar1_DblClick);
    connect(UpDown1, &UpDown::DownClick, this, &Form1::UpDown1_DownClick);
    connect(UpDown1, &UpDown::UpClick, this, &Form1::UpDown1_UpClick);
    connect(Command1, &CommandButton::Click, this, &Form1::Command1_Click);
}

void Form1::Form_Load() {
    Calendar1->setValue(app().clock().today());
    Module1::MarkCalendarMonth();
}

void Form1::Calendar1_AfterUpdate() { Module1::MarkCalendarMonth(); }

// The day's activities come up at normal size, also from a minimized window.
void Form1::Calendar1_DblClick() {
    Form4& activities = app().window<Form4>();
    activities.DTPicker1->setValue(Calendar1->Value());
    activities.setNormalState();
    activities.Show();
    Module1::LoadDayActivities();
}

void Form1::stepMonth(int months) {
    const QDate firstOfMonth(Calendar1->Year(), Calendar1->Month(), 1);
    Calendar1->setValue(firstOfMonth.addMonths(months));
    Module1::MarkCalendarMonth();
}

void Form1::UpDown1_DownClick() { stepMonth(-1); }

void Form1::UpDown1_UpClick() { stepMonth(1); }

void Form1::Command1_Click() { hide(); }
