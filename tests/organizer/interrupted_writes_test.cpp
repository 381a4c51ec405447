// A write that fails part way through a change (a full disk, a file system
// gone read-only) ends the program with a message; what it leaves on file
// must be whole entries under a true count.
#include <gtest/gtest.h>

#include <QDir>
#include <QTest>
#include <cerrno>

#include "organizer/appointment_dialog.h"
#include "organizer/notes_window.h"
#include "support/address_entries.h"
#include "support/appointment_files.h"

namespace {

QString failureText(const QString& path, const char* cause) {
    return QStringLiteral("The file \"%1\" could not be written: %2.").arg(QDir::toNativeSeparators(path), cause);
}

class InterruptedWritesTest : public AppointmentTest {
protected:
    // The day's appointments and one of another day, each field telling its entry.
    std::vector<StoredAppointment> storeDay() {
        std::vector<StoredAppointment> stored;
        for (int i = 1; i <= 4; ++i) {
            const QString n = QString::number(i);
            const QString id = i == 2 ? QStringLiteral("20240308-1") : QStringLiteral("20240307-") + QString::number(i < 2 ? 1 : i - 1);
            stored.push_back({id, "Subject " + n, "0" + n + ":00", "0" + n + ":30", qint16(i % 2 ? -1 : 0), n + "0",
                              "Description " + n});
            storeAppointment(stored.back());
        }
        return stored;
    }
    // The ended program has closed its files: the next run reads what they hold.
    void nextRun() {
        makeApplication();
        Module1::vars().DataDirectory = QDir::currentPath();
        Module1::OpenDataFiles();
    }
};

// Whatever step fails, every counted entry is one of the stored ones whole
// (its ID renumbered at most), and the deleted one is gone only with the
// count that leaves it out.
TEST_F(InterruptedWritesTest, ADeleteInterruptedAtAnyStepLeavesOnlyWholeEntries) {
    for (int writesBefore = 0; writesBefore <= 3; ++writesBefore) {
        SCOPED_TRACE(writesBefore);
        makeApplication();
        QFile::remove(dataPath("Appoint.dat"));
        Module1::vars().DataDirectory = QDir::currentPath();
        Module1::OpenDataFiles();
        const std::vector<StoredAppointment> stored = storeDay();

        Form4& activities = openDay(QDate(2024, 3, 7));
        activities.Combo3->pick(0);  // 20240307-1, the first entry of the file
        appointFile().failWrite(writesBefore, ENOSPC);
        QTest::mouseClick(activities.Command4, Qt::LeftButton);
        const QStringList shown = messages->texts;
        const bool ended = programEnded();
        nextRun();

        const qint32 count = Module1::RecordCount(Module1::Appointments);
        EXPECT_TRUE(count == 4 || count == 3) << count;
        for (qint32 i = 0; i < count; ++i) {
            StoredAppointment entry = storedAppointment(i);
            const auto same = std::find_if(stored.begin(), stored.end(), [&](StoredAppointment s) {
                s.id = entry.id;
                return s == entry;
            });
            ASSERT_NE(same, stored.end()) << "entry " << i << " mixes fields: " << entry;
            EXPECT_EQ(entry.id.left(9), same->id.left(9));
            if (count == 3) {
                EXPECT_NE(entry.subject, QStringLiteral("Subject 1"));
            }
        }
        if (writesBefore < 3) {
            EXPECT_EQ(shown, QStringList{failureText(dataPath("Appoint.dat"), "No space left on device")});
            EXPECT_TRUE(ended);
        } else {
            EXPECT_TRUE(shown.isEmpty()) << "a delete writes the moved range, the count and the blank block";
            EXPECT_EQ(storedIds(), QStringList({"20240308-1", "20240307-1", "20240307-2"}));
        }
    }
}

TEST_F(InterruptedWritesTest, ANoteThatCannotBeWrittenWholeIsNotCounted) {
    Form2& notes = app().window<Form2>();
    notes.Show();
    notes.Text1->typeText(QStringLiteral(" text"));
    notes.Text2->typeText(QStringLiteral(" title"));
    Module1::Notes.file().failWrite(1, ENOSPC);  // the title lands, the text does not
    notes.Command1->click();

    EXPECT_EQ(messages->texts, QStringList{failureText(dataPath("Notes.dat"), "No space left on device")});
    EXPECT_EQ(notes.MSFlexGrid1->Rows(), 1) << "no row for a note that was not saved";
    nextRun();
    EXPECT_EQ(Module1::RecordCount(Module1::Notes), 0);
}

// An appended appointment lands entry first, count last.
TEST_F(InterruptedWritesTest, AnAppointmentThatCannotBeWrittenWholeIsNotCounted) {
    storeDay();
    const QByteArray before = fileBytes("Appoint.dat");
    Form4& activities = openDay(QDate(2024, 3, 7));
    QTest::mouseClick(activities.Command3, Qt::LeftButton);
    QCoreApplication::processEvents();
    Form5& dialog = app().window<Form5>();
    dialog.Combo1->pick(2);
    appointFile().failWrite(4, EROFS);
    QTest::mouseClick(dialog.Command2, Qt::LeftButton);

    EXPECT_EQ(messages->texts, QStringList{failureText(dataPath("Appoint.dat"), "Read-only file system")});
    nextRun();
    EXPECT_EQ(Module1::RecordCount(Module1::Appointments), 4);
    EXPECT_EQ(fileBytes("Appoint.dat").left(before.size()), before);
}

// An address entry lands fields first, in one write, and the count last.
TEST_F(InterruptedWritesTest, AnAddressEntryThatCannotBeWrittenWholeIsNotCounted) {
    for (int writesBefore : {0, 1}) {
        SCOPED_TRACE(writesBefore);
        nextRun();
        Form3& book = app().window<Form3>();
        book.Show();
        QTest::mouseClick(book.Command3, Qt::LeftButton);
        Form7& dialog = app().window<Form7>();
        dialog.Text2[1]->typeText(QStringLiteral("Brown"));
        Module1::AddressBook.file().failWrite(writesBefore, ENOSPC);
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);

        EXPECT_EQ(messages->texts, QStringList{failureText(dataPath("AddBook.dat"), "No space left on device")});
        EXPECT_TRUE(dialog.isVisible()) << "nothing is reported as stored";
        nextRun();
        EXPECT_EQ(Module1::RecordCount(Module1::AddressBook), 0);
    }
}

}  // namespace
