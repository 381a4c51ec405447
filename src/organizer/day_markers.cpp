#include <QStringView>
#include <bitset>

#include "common/application.h"
#include "common/conversions.h"
#include "desk/desk_window.h"
#include "organizer/calendar_window.h"
#include "organizer/module1.h"

namespace Module1 {

namespace {
// Bit d stands for day number d (1 .. 31).
using DaySet = std::bitset<32>;

// The day number 1 .. 31 written as two digits at the position, or 0.
int twoDigitDay(QStringView text, qsizetype at) {
    if (text.size() < at + 2) return 0;
    const char16_t tens = text[at].unicode(), ones = text[at + 1].unicode();
    if (tens < u'0' || tens > u'9' || ones < u'0' || ones > u'9') return 0;
    const int day = (tens - u'0') * 10 + (ones - u'0');
    return day <= 31 ? day : 0;
}

struct AppointmentDays {
    DaySet inMonth;     // days whose key is the month key followed by the day
    bool onDay = false;  // an ID begins with the day key
};

// One pass over the appointment IDs: which days of a month (its key yyyymm;
// empty for none) have appointments, and whether one more day does.
AppointmentDays findAppointmentDays(QStringView monthKey, QStringView dayKey) {
    AppointmentDays found;
    RecordFile& file = Appointments.file();
    const qint32 count = RecordCount(Appointments);
    for (qint32 i = 0; i < count; ++i) {
        const QString id = file.readString(Appointments.record(i, AppointmentField::Id));
        const QStringView key = QStringView(id).left(8);
        if (key == dayKey) found.onDay = true;
        if (monthKey.isEmpty()) {
            if (found.onDay) break;
        } else if (key.size() == monthKey.size() + 2 && key.startsWith(monthKey)) {
            if (const int day = twoDigitDay(key, monthKey.size())) found.inMonth.set(size_t(day));
        }
    }
    return found;
}

// The days of a month on which an address entry has its birthday, whatever
// the year; slashMonth is "/mm".
DaySet findBirthdayDays(QStringView slashMonth) {
    DaySet found;
    RecordFile& book = AddressBook.file();
    const qint32 count = RecordCount(AddressBook);
    for (qint32 i = 0; i < count; ++i) {
        const QString birthday = book.readString(AddressBook.record(i, AddressField::Birthday));
        const int day = QStringView(birthday).mid(2, 3) == slashMonth ? twoDigitDay(birthday, 0) : 0;
        if (day != 0 && !found.test(size_t(day)) && HasBirthday(i)) found.set(size_t(day));
    }
    return found;
}

void setTodayMarker(bool shown) { app().window<Desk>().Image43->setVisible(shown); }
}  // namespace

bool HasBirthday(qint32 entry) {
    const QString flag = AddressBook.file().readString(AddressBook.record(entry, AddressField::BirthdayFlag));
    return Conversions::parseNumber(flag) == 1.0;
}

void ShowTodayMarker() { setTodayMarker(findAppointmentDays({}, DayKey(app().clock().today())).onDay); }

// The today marker is set from the same pass over the file as the month's dots.
void MarkCalendarMonth() {
    Form1& calendar = app().window<Form1>();
    const QDate firstOfMonth(calendar.Calendar1->Year(), calendar.Calendar1->Month(), 1);
    const QString dayKeyOfFirst = DayKey(firstOfMonth);
    const AppointmentDays appointments =
        findAppointmentDays(QStringView(dayKeyOfFirst).chopped(2), DayKey(app().clock().today()));
    setTodayMarker(appointments.onDay);

    for (int i = 1; i <= MonthCalendar::Cells; ++i) {
        calendar.Picture1[i]->setVisible(false);
        calendar.Picture2[i]->setVisible(false);
    }
    ClearDayActivities();

    // Day d lies in cell offset + d; a day the month lacks (a 29 February
    // birthday in a short February) marks the cell after the month's last day.
    const int offset = calendar.Calendar1->cellOf(firstOfMonth) - 1;
    const DaySet birthdays = findBirthdayDays(QStringView(BirthdayKey(firstOfMonth)).mid(2));
    for (int day = 1; day <= 31; ++day) {
        if (appointments.inMonth.test(size_t(day))) calendar.Picture2[offset + day]->setVisible(true);
        if (birthdays.test(size_t(day))) calendar.Picture1[offset + day]->setVisible(true);
    }
}

}  // namespace Module1
