// A scripted check or an accessibility tool reads our controls as it reads
// stock ones: by their names and Qt properties.
#include <gtest/gtest.h>

#include <QMetaObject>

#include "controls/flex_grid.h"
#include "organizer/notes_window.h"
#include "support/appointment_files.h"

namespace {

class ControlPropertiesTest : public AppointmentTest {
protected:
    static QVariant property(QWidget& window, const char* control, const char* name) {
        QObject* found = window.findChild<QObject*>(QString::fromLatin1(control));
        EXPECT_NE(found, nullptr) << control;
        return found ? found->property(name) : QVariant();
    }
};

TEST_F(ControlPropertiesTest, ValuesReadByNameFollowTheWindows) {
    storeAppointment({"20240307-1", "Dentist", "08:00", "08:30", -1, "20", "Card"});
    Form4& activities = openDay(QDate(2024, 3, 7));
    EXPECT_EQ(property(activities, "DTPicker1", "Value").toDate(), QDate(2024, 3, 7));
    EXPECT_EQ(property(activities, "Combo3", "Text").toString(), QStringLiteral("Dentist"));
    EXPECT_EQ(property(activities, "Combo3", "ListIndex").toInt(), 0);
    EXPECT_EQ(property(activities, "Text4", "Text").toString(), QStringLiteral("08:00"));
    EXPECT_EQ(property(activities, "Check1", "Value").toInt(), 1);
    EXPECT_EQ(property(activities, "Label2", "Caption").toString(), QStringLiteral("Start Time"));

    Form1& calendar = app().window<Form1>();
    EXPECT_EQ(property(calendar, "Calendar1", "Value").toDate(), QDate(2024, 3, 7));
    EXPECT_EQ(property(calendar, "Calendar1", "Year").toInt(), 2024);
    EXPECT_EQ(property(calendar, "Calendar1", "Month").toInt(), 3);
    EXPECT_EQ(property(calendar, "Calendar1", "Day").toInt(), 7);

    // Writing through a property is the control's own assignment, events and all.
    QObject* subjects = activities.findChild<QObject*>(QStringLiteral("Combo3"));
    activities.Combo3->AddItem(QStringLiteral("Other"));
    ASSERT_TRUE(subjects->setProperty("ListIndex", 1));
    EXPECT_EQ(activities.Combo3->Text(), QStringLiteral("Other"));
}

TEST_F(ControlPropertiesTest, AGridTellsItsShapeAndCells) {
    Form2& notes = app().window<Form2>();
    FlexGrid* grid = notes.findChild<FlexGrid*>(QStringLiteral("MSFlexGrid1"));
    ASSERT_NE(grid, nullptr);
    grid->setRows(3);
    grid->setTextMatrix(2, 1, QStringLiteral("Shopping"));
    grid->setRow(2);
    grid->setCol(1);
    grid->setCellBackColor(0xFF0000);
    EXPECT_EQ(grid->property("Rows").toInt(), 3);
    EXPECT_EQ(grid->property("Cols").toInt(), 2);
    EXPECT_EQ(grid->property("Row").toInt(), 2);
    EXPECT_EQ(grid->property("ColSel").toInt(), 1);

    QString text;
    ASSERT_TRUE(QMetaObject::invokeMethod(grid, "TextMatrix", Q_RETURN_ARG(QString, text), Q_ARG(int, 2), Q_ARG(int, 1)));
    EXPECT_EQ(text, QStringLiteral("Shopping"));
    quint32 color = 0;
    ASSERT_TRUE(QMetaObject::invokeMethod(grid, "CellBackColor", Q_RETURN_ARG(quint32, color)));
    EXPECT_EQ(color, 0xFF0000u);
}

}  // namespace
