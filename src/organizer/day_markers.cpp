#include "common/application.h"
#include "desk/desk_window.h"
#include "organizer/module1.h"

namespace Module1 {

void ShowTodayMarker() {
    const QString today = DayKey(app().clock().today());
    Image& marker = *app().window<Desk>().Image43;
    marker.setVisible(false);
    const qint32 count = RecordCount(Appointments);
    RecordFile& file = Appointments.file();
    for (qint32 i = 0; i < count; ++i) {
        if (file.readString(Appointments.record(i, 1)).left(8) == today) {
            marker.setVisible(true);
            return;
        }
    }
}

}  // namespace Module1
