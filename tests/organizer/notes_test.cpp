#include <gtest/gtest.h>

#include <QTest>
#include <QtEndian>

#include "organizer/calendar_window.h"
#include "organizer/module1.h"
#include "organizer/notes.h"
#include "organizer/notes_window.h"
#include "support/appointment_files.h"

namespace {

class NotesTest : public AppointmentTest {
protected:
    static constexpr int RecordLength = 500;

    Form2& openNotes() {
        Form2& notes = app().window<Form2>();
        notes.Show();
        QCoreApplication::processEvents();
        return notes;
    }

    void saveNote(Form2& notes, const QString& text, const QString& title) {
        typeOver(notes.Text1, text);
        typeOver(notes.Text2, title);
        notes.Command1->click();
    }

    static void clickRow(FlexGrid* grid, int row, bool twice = false) {
        QCoreApplication::processEvents();
        const QPoint at = grid->visualRect(grid->model()->index(row - 1, 1)).center();
        if (twice)
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    }

    static QStringList listed(FlexGrid* grid) {
        QStringList rows;
        for (int r = 0; r < grid->Rows(); ++r) rows << grid->TextMatrix(r, 0) + u'|' + grid->TextMatrix(r, 1);
        return rows;
    }

    // Notes.dat as stored: the string of a record, and the tagged count.
    QString storedString(int record) const {
        const QByteArray bytes = fileBytes(QStringLiteral("Notes.dat"));
        const qint64 at = qint64(record - 1) * RecordLength;
        if (at + 2 > bytes.size()) return QStringLiteral("<missing>");
        const int length = qFromLittleEndian<quint16>(bytes.constData() + at);
        return QString::fromLatin1(bytes.mid(at + 2, length));
    }
    int storedCount() const {
        const QByteArray bytes = fileBytes(QStringLiteral("Notes.dat"));
        EXPECT_EQ(qFromLittleEndian<qint16>(bytes.constData() + 2 * RecordLength), 2) << "an integer tag";
        return qFromLittleEndian<qint16>(bytes.constData() + 2 * RecordLength + 2);
    }
};

TEST_F(NotesTest, SavingAppendsANewTitleAndRewritesOnlyTheTextOfAnExactOne) {
    Form2& notes = openNotes();
    saveNote(notes, QStringLiteral("Milk\r\nBread"), QStringLiteral("Shopping"));
    EXPECT_FALSE(notes.Command1->isEnabled());
    EXPECT_EQ(QStringList({storedString(1), storedString(2)}), QStringList({"Shopping", "Milk\r\nBread"}));

    saveNote(notes, QStringLiteral("Call Ann"), QStringLiteral("Phone"));
    typeOver(notes.Text1, QStringLiteral("Milk, bread and eggs"));
    typeOver(notes.Text2, QStringLiteral("Shopping"));
    EXPECT_TRUE(notes.Command1->isEnabled());
    notes.Command1->click();
    EXPECT_EQ(storedCount(), 2);
    EXPECT_EQ(QStringList({storedString(2), storedString(4)}), QStringList({"Milk, bread and eggs", "Phone"}));
    EXPECT_EQ(listed(notes.MSFlexGrid1), (QStringList{"Nr.|Description", "1|Shopping", "2|Phone"}));

    // Case and surrounding spaces make another title; so does an empty one.
    saveNote(notes, QStringLiteral("a"), QStringLiteral("shopping"));
    saveNote(notes, QStringLiteral("b"), QStringLiteral(" Shopping"));
    saveNote(notes, QStringLiteral("c"), QString());
    saveNote(notes, QStringLiteral("d"), QString());
    EXPECT_EQ(storedCount(), 5);
    EXPECT_EQ(QStringList({storedString(13), storedString(14)}), QStringList({"", "d"}));
    EXPECT_EQ(listed(notes.MSFlexGrid1), (QStringList{"Nr.|Description", "1|Shopping", "2|Phone", "3|shopping",
                                                      "4| Shopping", "5|"}));
    EXPECT_TRUE(messages->texts.isEmpty());
}

// Notes.dat put back from a copy while the window is open: the list shows
// the file that is there now before the user's next key or click, the pad
// keeps what is typed, and the save goes into that file. A deleted file
// takes no save.
TEST_F(NotesTest, AFileReplacedUnderTheWindowIsShownAndSavedIntoARemovedOneIsNot) {
    Form2& notes = openNotes();
    saveNote(notes, QStringLiteral("First"), QStringLiteral("One"));
    ASSERT_TRUE(QFile::copy(dataPath("Notes.dat"), dataPath("backup")));
    saveNote(notes, QStringLiteral("Second"), QStringLiteral("Two"));
    ASSERT_TRUE(QFile::remove(dataPath("Notes.dat")) && QFile::rename(dataPath("backup"), dataPath("Notes.dat")));

    typeOver(notes.Text1, QStringLiteral("Thir"));
    QTest::keyClick(notes.Text1->findChild<QPlainTextEdit*>(), Qt::Key_D);
    EXPECT_EQ(listed(notes.MSFlexGrid1), (QStringList{"Nr.|Description", "1|One"}));
    typeOver(notes.Text2, QStringLiteral("Three"));
    QTest::mouseClick(notes.Command1, Qt::LeftButton);
    EXPECT_EQ(listed(notes.MSFlexGrid1), (QStringList{"Nr.|Description", "1|One", "2|Three"}));
    EXPECT_EQ(storedCount(), 2);
    EXPECT_EQ(QStringList({storedString(1), storedString(4), storedString(5)}), QStringList({"One", "Three", "Third"}));
    EXPECT_TRUE(messages->texts.isEmpty());

    ASSERT_TRUE(QFile::remove(dataPath("Notes.dat")));
    typeOver(notes.Text2, QStringLiteral("Four"));
    QTest::mouseClick(notes.Command1, Qt::LeftButton);
    EXPECT_EQ(messages->texts, QStringList{"The file \"" + QDir::toNativeSeparators(dataPath("Notes.dat")) +
                                           "\" was removed while the organizer was running; the change was not saved."});
    EXPECT_TRUE(programEnded());
    EXPECT_FALSE(QFile::exists(dataPath("Notes.dat")));
}

TEST_F(NotesTest, PickingANoteFillsTheTitleAndViewingTrimsOnlySpaces) {
    Form2& notes = openNotes();
    saveNote(notes, QStringLiteral("First"), QStringLiteral("One"));
    saveNote(notes, QStringLiteral("  \r\nPack bags \r\n  "), QStringLiteral("  Trip  "));
    typeOver(notes.Text1, QStringLiteral("unsaved"));

    clickRow(notes.MSFlexGrid1, 2);
    EXPECT_EQ(notes.Text2->Text(), "  Trip  ") << "the list's title, as stored";
    EXPECT_EQ(notes.Text1->Text(), "unsaved") << "picking alone loads nothing";

    notes.Command2->click();
    EXPECT_EQ(notes.Text1->Text(), "\r\nPack bags \r\n");
    EXPECT_EQ(notes.Text2->Text(), "Trip");
    EXPECT_FALSE(notes.Command1->isEnabled());

    // Saved under the trimmed title, it is a new note.
    typeOver(notes.Text1, QStringLiteral("Pack bags"));
    notes.Command1->click();
    EXPECT_EQ(storedCount(), 3);
    EXPECT_EQ(storedString(7), "Trip");

    clickRow(notes.MSFlexGrid1, 1, true);
    EXPECT_EQ(notes.Text1->Text(), "First");
    EXPECT_EQ(notes.Text2->Text(), "One");

    notes.Command4->click();
    EXPECT_EQ(notes.Text1->Text(), "");
    EXPECT_TRUE(notes.Command1->isEnabled());

    // Coming back to the window clears the selection; moving the row from code copies no title.
    clickRow(notes.MSFlexGrid1, 2);
    app().window<Form1>().Show();
    QCoreApplication::processEvents();
    notes.Show();
    QCoreApplication::processEvents();
    EXPECT_EQ(notes.MSFlexGrid1->Row(), 0);
    EXPECT_EQ(notes.Text2->Text(), "  Trip  ");
    notes.Command3->click();
    notes.Command2->click();
    EXPECT_EQ(storedCount(), 3) << "nothing chosen: nothing deleted";
    EXPECT_EQ(notes.Text1->Text(), "");
}

TEST_F(NotesTest, DeletingMovesTheLaterNotesUpAndEmptiesTheLastBlock) {
    Form2& notes = openNotes();
    saveNote(notes, QStringLiteral("text one"), QStringLiteral("One"));
    saveNote(notes, QStringLiteral("text two"), QStringLiteral("Two"));
    saveNote(notes, QStringLiteral("text three"), QStringLiteral("Three"));
    typeOver(notes.Text1, QStringLiteral("on the pad"));

    clickRow(notes.MSFlexGrid1, 2);
    notes.Command3->click();
    EXPECT_EQ(storedCount(), 2);
    EXPECT_EQ(QStringList({storedString(1), storedString(2), storedString(4), storedString(5), storedString(7),
                           storedString(8)}),
              QStringList({"One", "text one", "Three", "text three", "", ""}));
    EXPECT_EQ(listed(notes.MSFlexGrid1), (QStringList{"Nr.|Description", "1|One", "2|Three"}));
    EXPECT_EQ(notes.Text1->Text() + notes.Text2->Text(), "Note");
    EXPECT_FALSE(notes.Command1->isEnabled());

    // Nothing is selected after the rebuild: a second Delete does nothing.
    notes.Command3->click();
    EXPECT_EQ(storedCount(), 2);

    clickRow(notes.MSFlexGrid1, 2);
    notes.Command3->click();
    clickRow(notes.MSFlexGrid1, 1);
    notes.Command3->click();
    EXPECT_EQ(storedCount(), 0);
    EXPECT_EQ(storedString(1), "");
    EXPECT_EQ(listed(notes.MSFlexGrid1), QStringList{"Nr.|Description"});
    EXPECT_EQ(notes.MSFlexGrid1->FixedRows(), 1);

    // With no notes, View and Delete do nothing.
    typeOver(notes.Text1, QStringLiteral("kept"));
    const QByteArray before = fileBytes(QStringLiteral("Notes.dat"));
    notes.Command2->click();
    notes.Command3->click();
    EXPECT_EQ(notes.Text1->Text(), "kept");
    EXPECT_EQ(fileBytes(QStringLiteral("Notes.dat")), before);
    EXPECT_TRUE(messages->texts.isEmpty());
}

TEST_F(NotesTest, TypingStopsAtTheLimitsAndNothingTypedIsCutOnSave) {
    Form2& notes = openNotes();
    notes.Text2->typeText(QString(30, u'T'));
    EXPECT_EQ(notes.Text2->Text(), "Note" + QString(16, u'T'));
    const QString pad = QString(300, u'a') + QStringLiteral("\r\n") + QString(300, u'b');
    typeOver(notes.Text1, pad);
    ASSERT_EQ(notes.Text1->Text().size(), Module1::NoteTextLength);
    notes.Command1->click();
    EXPECT_EQ(storedString(1), "Note" + QString(16, u'T'));
    EXPECT_EQ(storedString(2), notes.Text1->Text());
}

TEST_F(NotesTest, AFullFileRefusesOneMoreNoteAndWritesNothing) {
    Module1::setRecordCount(Module1::Notes, Module1::MaxEntries);
    Form2& notes = openNotes();
    EXPECT_EQ(notes.MSFlexGrid1->Rows(), Module1::MaxEntries + 1);
    const QByteArray before = fileBytes(QStringLiteral("Notes.dat"));
    saveNote(notes, QStringLiteral("one too many"), QStringLiteral("Extra"));
    EXPECT_EQ(messages->texts,
              QStringList{"The notes file is full: it holds 32767 notes. Delete a note before saving a new one."});
    EXPECT_EQ(fileBytes(QStringLiteral("Notes.dat")), before);
    EXPECT_EQ(notes.MSFlexGrid1->Rows(), Module1::MaxEntries + 1);
}

}  // namespace
