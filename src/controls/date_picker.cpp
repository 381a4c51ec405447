#include "controls/date_picker.h"

#include "common/conversions.h"

DatePicker::DatePicker(QWidget* parent, const QString& name) : QDateEdit(parent), Control(this, name) {
    setCalendarPopup(true);
    // Qt's own minimum (14 September 1752) would silently clamp earlier dates.
    setDateRange(first(), last());
    setDisplayFormat(Conversions::shortDateFormat());
    // Typing runs Change for every complete date on the way, as the user sees it change.
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (!settingValue_) emit Change();
    });
}

void DatePicker::setValue(const QDate& value) {
    settingValue_ = true;
    setDate(value);
    settingValue_ = false;
}

void DatePicker::pick(const QDate& value) { setDate(value); }
