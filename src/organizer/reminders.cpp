#include "organizer/reminders.h"

#include <QHash>
#include <cmath>
#include <optional>
#include <vector>

#include "common/application.h"
#include "common/conversions.h"
#include "organizer/module1.h"
#include "organizer/notes_window.h"
#include "organizer/reminder_window.h"

namespace Module1 {

namespace {
namespace Field = AppointmentField;
constexpr qint16 Remind = -1;
constexpr int SubjectShown = 30;

enum ReminderColumn { HourColumn = 1, MinuteColumn, StartColumn, EndColumn, SubjectColumn };

// A text read as a whole number, rounded as the default conversion rounds.
std::optional<double> wholeNumber(const QString& text) {
    const std::optional<double> value = Conversions::parseNumber(text);
    if (!value) return std::nullopt;
    return Conversions::roundHalfEven(*value);
}

QString shownSubject(const QString& subject) {
    const QString trimmed = Conversions::trimSpaces(subject);
    return trimmed.size() > SubjectShown ? trimmed.left(SubjectShown) + QStringLiteral(" ...") : trimmed;
}

void emptyReminderTable(FlexGrid& table) {
    table.setRows(1);
    table.Clear();
    table.setTextMatrix(0, HourColumn, QStringLiteral("Reminder Hour"));
    table.setTextMatrix(0, MinuteColumn, QStringLiteral("Reminder Minute"));
    table.setTextMatrix(0, StartColumn, QStringLiteral("Start Time"));
    table.setTextMatrix(0, EndColumn, QStringLiteral("End Time"));
    table.setTextMatrix(0, SubjectColumn, QStringLiteral("Subject"));
}

constexpr int MinutesPerDay = 24 * 60;
// More days than the calendar spans from 1601 to 9999.
constexpr double FarthestDays = 8400 * 366.0;

// A reminder due today as its start and lead tell: the day of the
// appointments it belongs to, the hour and minute it is due, and the lead as
// a number text for the pop-up.
struct DueToday {
    QString appointmentDay;
    int hour, minute;
    QString lead;
};

// The reminders due today by start and lead. Starts and leads repeat from one
// appointment to the next, so each pair is worked out once.
class DueTodayTable {
public:
    explicit DueTodayTable(const QDate& today) : today_(today) {}
    // None when the start's hour or minute, or the lead, is no number: such
    // an appointment has no reminder.
    const std::optional<DueToday>& of(const QString& start, const QString& lead) {
        auto known = known_.find({start, lead});
        if (known == known_.end()) known = known_.insert({start, lead}, work(start, lead));
        return *known;
    }

private:
    std::optional<DueToday> work(const QString& start, const QString& leadText) const {
        const std::optional<double> hour = wholeNumber(start.left(2));
        const std::optional<double> minute = wholeNumber(start.mid(3, 2));
        const std::optional<double> lead = Conversions::parseNumber(leadText);
        if (!hour || !minute || !lead) return std::nullopt;
        // The start less the lead, counted in whole minutes from the midnight
        // that begins the appointment's day, so that it may fall on an earlier
        // or a later day ("24:00" is the next day's midnight); the lead's
        // fraction rounds with the start's minutes.
        const double due = *hour * 60 + Conversions::roundHalfEven(*minute - *lead);
        const double days = std::floor(due / MinutesPerDay);
        if (!(std::fabs(days) <= FarthestDays)) return std::nullopt;
        const int minuteOfDay = int(due - days * MinutesPerDay);
        return DueToday{DayKey(today_.addDays(-qint64(days))), minuteOfDay / 60, minuteOfDay % 60,
                        Conversions::numberText(*lead)};
    }
    QDate today_;
    QHash<std::pair<QString, QString>, std::optional<DueToday>> known_;
};

bool popUpShown() {
    const Form8* popup = app().existingWindow<Form8>();
    return popup && popup->isVisible();
}
}  // namespace

void CheckReminders() {
    if (vars().ReminderCheckOff) return;
    FlexGrid& table = *app().window<Form2>().MSFlexGrid2;
    emptyReminderTable(table);

    // What goes with each table row besides its cells: when it is due as
    // numbers, and the lead's number text.
    std::vector<DueToday> reminders;
    const QDateTime now = app().clock().now();
    const QDate today = now.date();
    DueTodayTable dueToday(today);
    const RecordFile& file = Appointments.file();
    const qint32 count = RecordCount(Appointments);
    for (qint32 i = 0; i < count; ++i) {
        if (file.readInteger(Appointments.record(i, Field::Reminder)) != Remind) continue;
        const QString start = file.readString(Appointments.record(i, Field::Start));
        const std::optional<DueToday>& due = dueToday.of(start, file.readString(Appointments.record(i, Field::Minutes)));
        if (!due || QStringView(file.readString(Appointments.record(i, Field::Id))).left(8) != due->appointmentDay) continue;

        table.AddItem(QString::number(table.Rows()));
        const int row = table.Rows() - 1;
        table.setTextMatrix(row, HourColumn, QString::number(due->hour));
        table.setTextMatrix(row, MinuteColumn, QString::number(due->minute));
        table.setTextMatrix(row, StartColumn, start);
        table.setTextMatrix(row, EndColumn, file.readString(Appointments.record(i, Field::End)));
        table.setTextMatrix(row, SubjectColumn, shownSubject(file.readString(Appointments.record(i, Field::Subject))));
        reminders.push_back(*due);
    }

    // The timer may run twice in one minute: its reminders are raised once.
    const QTime time = now.time();
    const QDateTime minute(today, QTime(time.hour(), time.minute()));
    if (minute == vars().RemindersRaisedFor) return;
    vars().RemindersRaisedFor = minute;
    std::deque<DueReminder>& waiting = vars().WaitingReminders;
    for (int row = 1; row < table.Rows(); ++row) {
        const DueToday& reminder = reminders[size_t(row - 1)];
        if (reminder.hour != time.hour() || reminder.minute != time.minute()) continue;
        waiting.push_back({table.TextMatrix(row, SubjectColumn), table.TextMatrix(row, StartColumn),
                           table.TextMatrix(row, EndColumn), reminder.lead});
    }
    // One shown already keeps its place; the new ones wait their turn.
    if (!waiting.empty() && !popUpShown()) ShowNextReminder();
}

void ShowNextReminder() {
    std::deque<DueReminder>& waiting = vars().WaitingReminders;
    Form8& popup = app().window<Form8>();
    if (waiting.empty()) {
        popup.hide();
        return;
    }
    const DueReminder next = std::move(waiting.front());
    waiting.pop_front();
    popup.Label7[0]->setCaption(next.subject);
    popup.Label7[1]->setCaption(next.start);
    popup.Label7[2]->setCaption(next.end);
    popup.Label2->setCaption(next.lead);
    popup.Show();
}

}  // namespace Module1
