#include "organizer/day_schedule.h"

#include <vector>

#include "common/application.h"
#include "common/conversions.h"
#include "organizer/activities_window.h"
#include "organizer/day_schedule_window.h"
#include "organizer/module1.h"

namespace Module1 {

namespace {
// Cell colours, 0x00BBGGRR; 0 leaves the grid's own background.
constexpr quint32 NoColour = 0;
constexpr quint32 Blue = 0xFF0000;
constexpr quint32 LightCyan = 0xFFFF80;
constexpr quint32 Red = 0x0000FF;
constexpr quint32 DarkRed = 0x0000C0;

constexpr int SubjectColumn = 0;
constexpr int SubjectWidth = 3000;  // twips
constexpr int SlotWidth = 500;      // twips

// Slot column c (from 1) holds slot c - 1.
int slotColumn(int slot) { return slot + 1; }

// An appointment occupies a slot when it starts at or before the slot and ends
// after it. Times compare as the texts they are, character by character: a
// slot counts whole or not at all.
bool occupies(const QString& slot, const QString& start, const QString& end) { return start <= slot && slot < end; }

void setCellColour(FlexGrid& grid, int row, int col, quint32 colour) {
    grid.setRow(row);
    grid.setCol(col);
    grid.setCellBackColor(colour);
}

struct Listed {
    QString subject, start, end;
};

// The Activities window's lists, item for item.
std::vector<Listed> listedAppointments(const Form4& activities) {
    std::vector<Listed> listed;
    const int count = activities.Combo3->ListCount();
    listed.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        listed.push_back({activities.Combo3->List(i), activities.Combo1->List(i), activities.Combo2->List(i)});
    return listed;
}
}  // namespace

void BuildDaySchedule() {
    const Form4& activities = app().window<Form4>();
    Form6& schedule = app().window<Form6>();
    FlexGrid& grid = *schedule.MSFlexGrid1;
    schedule.setCaption(QStringLiteral("Day Schedule for - ") + Conversions::dateText(activities.DTPicker1->Value()));

    grid.Clear();
    grid.setRows(1);
    grid.setTextMatrix(0, SubjectColumn, QStringLiteral("Appointment"));
    grid.setColWidth(SubjectColumn, SubjectWidth);
    for (int slot = 0; slot < DaySlots; ++slot) {
        grid.setTextMatrix(0, slotColumn(slot), SlotTime(slot));
        grid.setColWidth(slotColumn(slot), SlotWidth);
    }

    const std::vector<Listed> listed = listedAppointments(activities);
    if (listed.empty()) return;

    for (int k = 1; k <= int(listed.size()); ++k) {
        const Listed& appointment = listed[size_t(k - 1)];
        grid.AddItem(appointment.subject);
        for (int slot = 0; slot < DaySlots; ++slot) {
            const int col = slotColumn(slot);
            const bool occupied = occupies(grid.TextMatrix(0, col), appointment.start, appointment.end);
            setCellColour(grid, k, col, occupied ? Blue : NoColour);
        }
    }
    grid.setFixedRows(1);

    const int total = int(listed.size()) + 1;
    grid.AddItem(QStringLiteral("Total Occupation"));
    setCellColour(grid, total, SubjectColumn, LightCyan);
    for (int slot = 0; slot < DaySlots; ++slot) {
        const int col = slotColumn(slot);
        setCellColour(grid, total, col, NoColour);
        const QString slotTime = grid.TextMatrix(0, col);
        for (const Listed& appointment : listed)
            if (occupies(slotTime, appointment.start, appointment.end))
                grid.setCellBackColor(grid.CellBackColor() == NoColour ? Red : DarkRed);
    }
}

}  // namespace Module1
