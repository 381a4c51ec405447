// A typed text with a character the files' 8-bit character set lacks is never
// stored changed: the user is told which character, and nothing is written.
#include <gtest/gtest.h>

#include <QTest>

#include "organizer/appointment_dialog.h"
#include "organizer/notes_window.h"
#include "support/address_entries.h"
#include "support/appointment_files.h"

namespace {

const QString Refusal = QStringLiteral(
    "The character \"%1\" cannot be kept in the organizer's files. Please type the text without it.");

class UnstorableTextTest : public AppointmentTest {
protected:
    QByteArray allFiles() const {
        return fileBytes("Appoint.dat") + '|' + fileBytes("Notes.dat") + '|' + fileBytes("AddBook.dat");
    }
};

TEST_F(UnstorableTextTest, EveryOrganizerRoadRefusesItAndWritesNothing) {
    const QByteArray before = allFiles();

    Form4& activities = openDay(QDate(2024, 3, 7));
    QTest::mouseClick(activities.Command3, Qt::LeftButton);
    QCoreApplication::processEvents();
    Form5& dialog = app().window<Form5>();
    typeOver(dialog.Text4, QString::fromUtf8("Spotkanie z \u0141ukaszem"));
    dialog.Combo1->pick(4);
    QTest::mouseClick(dialog.Command2, Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible()) << "the dialog stays with what was typed";
    EXPECT_EQ(dialog.Text4->Text(), QString::fromUtf8("Spotkanie z \u0141ukaszem"));

    Form2& notes = app().window<Form2>();
    typeOver(notes.Text1, QString::fromUtf8("Buy \U0001F34E apples"));  // a character beyond the first plane
    notes.Command1->click();

    Form3& book = app().window<Form3>();
    AddressEntry entry = person(QStringLiteral("Nowak"), QStringLiteral("Jan"));
    entry.notes = QString::fromUtf8("Ul. Zielona 5, \u0141\u00f3d\u017a");
    Form7& entryDialog = addEntry(book, entry);
    EXPECT_TRUE(entryDialog.isVisible());

    EXPECT_EQ(messages->texts, QStringList({Refusal.arg(QString::fromUtf8("\u0141")),
                                            Refusal.arg(QString::fromUtf8("\U0001F34E")),
                                            Refusal.arg(QString::fromUtf8("\u0141"))}));
    EXPECT_EQ(allFiles(), before);

    // Characters of the set, accents and the euro sign among them, are kept exactly.
    messages->texts.clear();
    typeOver(notes.Text1, QString::fromUtf8("Caf\u00e9 \u20ac 5"));
    notes.Command1->click();
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_EQ(Module1::Notes.file().readString(2), QString::fromUtf8("Caf\u00e9 \u20ac 5"));
}

}  // namespace
