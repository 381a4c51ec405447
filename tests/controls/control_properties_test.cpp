// A scripted check or an accessibility tool reads our controls as it reads
// stock ones: by their names and Qt properties.
#include <gtest/gtest.h>

#include <QMetaObject>

#include "controls/flex_grid.h"
#include "organizer/notes_window.h"
#include "support/appointment_files.h"

namespace {

QVariant property(QWidget& window, const char* control, const char* name) {
    QObject* found = window.findChild<QObject*>(QString::fromLatin1(control));
    EXPECT_NE(found, nullptr) << control;
    return found ? found->property(name) : QVariant();
}

using ControlPropertiesTest = AppointmentTest;

TEST_F(ControlPropertiesTest, ControlValuesReadByNameFollowTheWindows) {
    storeAppointment({"20240307-1", "Dentist", "08:00", "08:30", -1, "20", "Card"});
    Form4& activities = openDay(QDate(2024, 3, 7));
    EXPECT_EQ(property(activities, "DTPicker1", "Value").toDate(), QDate(2024, 3, 7));
    EXPECT_EQ(property(activities, "Combo3", "Text").toString(), QStringLiteral("Dentist"));
    EXPECT_EQ(property(activities, "Check1", "Value").toInt(), 1);
    EXPECT_EQ(property(activities, "Label2", "Caption").toString(), QStringLiteral("Start Time"));
    EXPECT_EQ(property(app().window<Form1>(), "Calendar1", "Month").toInt(), 3);

    // Writing through a property is the control's own assignment, events and all.
    activities.Combo3->AddItem(QStringLiteral("Other"));
    ASSERT_TRUE(activities.findChild<QObject*>(QStringLiteral("Combo3"))->setProperty("ListIndex", 1));
    EXPECT_EQ(activities.Combo3->Text(), QStringLiteral("Other"));

    // A grid tells its shape as properties, its cells through invokable methods.
    FlexGrid* grid = app().window<Form2>().findChild<FlexGrid*>(QStringLiteral("MSFlexGrid1"));
    ASSERT_NE(grid, nullptr);
    grid->setRows(3);
    grid->setTextMatrix(2, 1, QStringLiteral("Shopping"));
    grid->setRow(2);
    grid->setCol(1);
    grid->setCellBackColor(0xFF0000);
    EXPECT_EQ(grid->property("Rows").toInt(), 3);
    EXPECT_EQ(grid->property("ColSel").toInt(), 1);
    QString text;
    ASSERT_TRUE(QMetaObject::invokeMethod(grid, "TextMatrix", Q_RETURN_ARG(QString, text), Q_ARG(int, 2), Q_ARG(int, 1)));
    EXPECT_EQ(text, QStringLiteral("Shopping"));
    quint32 color = 0;
    ASSERT_TRUE(QMetaObject::invokeMethod(grid, "CellBackColor", Q_RETURN_ARG(quint32, color)));
    EXPECT_EQ(color, 0xFF0000u);
}

}  // namespace
