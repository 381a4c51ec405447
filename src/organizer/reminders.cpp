#include "organizer/reminders.h"

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
}  // namespace

void CheckReminders() {
    if (vars().ReminderCheckOff) return;
    FlexGrid& table = *app().window<Form2>().MSFlexGrid2;
    emptyReminderTable(table);

    // What goes with each table row besides its cells: the hour as a number
    // and the lead as a number text, for the pop-up.
    struct Reminder {
        double hour;
        QString lead;
    };
    std::vector<Reminder> reminders;
    const QString today = DayKey(app().clock().today());
    const RecordFile& file = Appointments.file();
    const qint32 count = RecordCount(Appointments);
    for (qint32 i = 0; i < count; ++i) {
        const QString id = file.readString(Appointments.record(i, Field::Id));
        if (QStringView(id).left(8) != today) continue;
        if (file.readInteger(Appointments.record(i, Field::Reminder)) != Remind) continue;

        const QString start = file.readString(Appointments.record(i, Field::Start));
        const std::optional<double> startHour = wholeNumber(start.left(2));
        const std::optional<double> startMinute = wholeNumber(start.mid(3, 2));
        const std::optional<double> lead = Conversions::parseNumber(file.readString(Appointments.record(i, Field::Minutes)));
        // Without a reminder time this appointment has no reminder.
        if (!startHour || !startMinute || !lead) continue;

        double hour = *startHour;
        double minute = Conversions::roundHalfEven(*startMinute - *lead);
        if (minute < 0) {  // borrow an hour, once only
            minute += 60;
            hour -= 1;
        }
        table.AddItem(QString::number(table.Rows()));
        const int row = table.Rows() - 1;
        table.setTextMatrix(row, HourColumn, Conversions::numberText(hour));
        table.setTextMatrix(row, MinuteColumn, Conversions::numberText(minute));
        table.setTextMatrix(row, StartColumn, start);
        table.setTextMatrix(row, EndColumn, file.readString(Appointments.record(i, Field::End)));
        table.setTextMatrix(row, SubjectColumn, shownSubject(file.readString(Appointments.record(i, Field::Subject))));
        reminders.push_back({hour, Conversions::numberText(*lead)});
    }

    const QTime now = app().clock().now().time();
    const QString minuteNow = QString::number(now.minute());
    for (int row = 1; row < table.Rows(); ++row) {
        const Reminder& reminder = reminders[size_t(row - 1)];
        if (reminder.hour != now.hour() || table.TextMatrix(row, MinuteColumn) != minuteNow) continue;
        Form8& popup = app().window<Form8>();
        popup.Label7[0]->setCaption(table.TextMatrix(row, SubjectColumn));
        popup.Label7[1]->setCaption(table.TextMatrix(row, StartColumn));
        popup.Label7[2]->setCaption(table.TextMatrix(row, EndColumn));
        popup.Label2->setCaption(reminder.lead);
        popup.Show();
    }
}

}  // namespace Module1
