// A write that fails part way through a change (a full disk, a file system
// gone read-only) ends the program with a message; what it leaves on file
// must be whole entries under a true count.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <cerrno>
#include <functional>
#include <optional>

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
    // Runs `change` with the file's write after `writesBefore` successful ones
    // failing; gives whether one failed. The file then holds what a kill just
    // before that write leaves: nothing lands after the failure.
    bool stoppedAt(const Module1::BlockFile& blocks, int writesBefore, const std::function<void()>& change) {
        const QString fileName = QFileInfo(blocks.file().path()).fileName();
        std::optional<QByteArray> atFailure;
        messages->onShow = [&] {
            if (!atFailure) atFailure = fileBytes(fileName);
        };
        blocks.file().failWrite(writesBefore, ENOSPC);
        change();
        messages->onShow = nullptr;
        if (atFailure) {
            EXPECT_EQ(messages->texts, QStringList{failureText(dataPath(fileName), "No space left on device")});
            EXPECT_EQ(fileBytes(fileName), *atFailure) << "nothing lands after the failure";
        }
        return atFailure.has_value();
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

// An appended appointment lands entry first, in one write, count last.
TEST_F(InterruptedWritesTest, AnAppointmentThatCannotBeWrittenWholeIsNotCounted) {
    storeDay();
    const QByteArray before = fileBytes("Appoint.dat");
    Form4& activities = openDay(QDate(2024, 3, 7));
    QTest::mouseClick(activities.Command3, Qt::LeftButton);
    QCoreApplication::processEvents();
    Form5& dialog = app().window<Form5>();
    dialog.Combo1->pick(2);
    appointFile().failWrite(1, EROFS);  // the entry lands, its count does not
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

// An edited appointment lands whole: stopped at any write, it is as it was or
// as edited, never a mix of the two; the others stay as they were.
TEST_F(InterruptedWritesTest, AnAppointmentEditStoppedAtAnyWriteIsOldOrNew) {
    for (int writesBefore = 0;; ++writesBefore) {
        ASSERT_LT(writesBefore, 10) << "the edit never completes";
        SCOPED_TRACE(writesBefore);
        QFile::remove(dataPath("Appoint.dat"));
        nextRun();
        const std::vector<StoredAppointment> stored = storeDay();
        const StoredAppointment edited{"20240307-2", "Edited", "10:00", "11:00", 0, "5", "Edited description"};
        const bool stopped = stoppedAt(Module1::Appointments, writesBefore, [&] {
            Form4& activities = openDay(QDate(2024, 3, 7));
            activities.Combo3->pick(1);  // 20240307-2, the third entry of the file
            QTest::mouseClick(activities.Command5, Qt::LeftButton);
            Form5& dialog = app().window<Form5>();
            dialog.Text4->setText(edited.subject);
            dialog.Combo1->setText(edited.start);
            dialog.Combo2->setText(edited.end);
            dialog.Check1->click();
            dialog.Text2->setText(edited.minutes);
            dialog.Text1->setText(edited.description);
            QTest::mouseClick(dialog.Command2, Qt::LeftButton);
        });
        nextRun();

        ASSERT_EQ(Module1::RecordCount(Module1::Appointments), 4);
        for (qint32 i : {0, 1, 3}) EXPECT_EQ(storedAppointment(i), stored[size_t(i)]) << i;
        const StoredAppointment third = storedAppointment(2);
        EXPECT_TRUE(third == stored[2] || third == edited) << "mixes old and new: " << third;
        if (!stopped) {
            EXPECT_EQ(third, edited);
            break;
        }
    }
}

// An address edit stores the edited entry before it takes the old one out:
// stopped at any write, the book holds every entry whole and the edited
// person as they were or as edited, or both for a moment, never neither. A
// full book has no free block: the edit takes the old one's place in one write.
TEST_F(InterruptedWritesTest, AnAddressEditStoppedAtAnyWriteKeepsThePerson) {
    const std::vector<AddressEntry> before = {person("Brown", "Bob", "15/03/1980", "1"), person("Baker", "Bo"),
                                              person("Bell", "Bea")};
    AddressEntry edited = before[1];
    edited.surname = QStringLiteral("Barker");
    edited.address = QStringLiteral("New Street");
    for (const bool full : {false, true}) {
        for (int writesBefore = 0;; ++writesBefore) {
            ASSERT_LT(writesBefore, 10) << "the edit never completes";
            SCOPED_TRACE(QStringLiteral("%1 book, %2 writes before").arg(full ? "full" : "short").arg(writesBefore).toStdString());
            QFile::remove(dataPath("AddBook.dat"));
            nextRun();
            for (const AddressEntry& e : before) storeEntry(e);
            if (full) Module1::setRecordCount(Module1::AddressBook, Module1::MaxEntries);
            const bool stopped = stoppedAt(Module1::AddressBook, writesBefore, [&] {
                Form3& book = app().window<Form3>();
                book.Show();
                clickTab(book, "B");
                book.Combo1->pick(book.Combo1->findText("Baker, Bo"));
                QTest::mouseClick(book.Command2, Qt::LeftButton);
                Form7& dialog = app().window<Form7>();
                dialog.Text2[1]->setText(edited.surname);
                dialog.Text2[2]->setText(edited.address);
                QTest::mouseClick(dialog.Command1, Qt::LeftButton);
            });
            nextRun();

            const QByteArray book = fileBytes("AddBook.dat");
            const qint32 count = bookCount(book);
            QList<QStringList> blocks;
            for (qint32 i = 0; i < (full ? 3 : count); ++i) blocks << bookBlock(book, i);
            EXPECT_TRUE(full ? count == Module1::MaxEntries : count == 3 || count == 4) << count;
            for (const QStringList& block : blocks)
                EXPECT_TRUE(block == edited.fields() || std::any_of(before.begin(), before.end(), [&](const AddressEntry& e) {
                                return block == e.fields();
                            })) << "torn: " << block.join(u'|').toStdString();
            EXPECT_TRUE(blocks.contains(before[0].fields()) && blocks.contains(before[2].fields()));
            EXPECT_TRUE(blocks.contains(before[1].fields()) || blocks.contains(edited.fields())) << "the person is gone";
            if (!stopped) {
                const QList<QStringList> after = full ? QList{before[0].fields(), edited.fields(), before[2].fields()}
                                                      : QList{before[0].fields(), before[2].fields(), edited.fields()};
                EXPECT_EQ(blocks, after);
                break;
            }
        }
    }
}

}  // namespace
