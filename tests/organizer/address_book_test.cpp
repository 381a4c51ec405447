#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "desk/desk_window.h"
#include "organizer/activities_window.h"
#include "organizer/appointment_dialog.h"
#include "organizer/calendar_window.h"
#include "support/address_entries.h"
#include "support/appointment_files.h"
#include "support/desk_start.h"
#include "support/window_manager.h"

namespace {

// An entry with every field filled.
AddressEntry fullEntry() {
    AddressEntry e{QStringLiteral("Brown"), QStringLiteral("Bob"), QStringLiteral("15/03/1980"), QStringLiteral("1"),
                   QStringLiteral("12 High Street\r\nSmalltown"), QStringLiteral("bob@example.org"),
                   QStringLiteral("www.example.org/bob"), QStringLiteral("Plays chess.\r\nTuesdays")};
    e.phones = {"555 0100", "555 0101", "555 0102", "555 0103", "555 0104", "555 0105"};
    return e;
}

class AddressBookTest : public AppointmentTest {
protected:
    Form3& openBook() {
        Form3& book = app().window<Form3>();
        book.Show();
        QCoreApplication::processEvents();
        return book;
    }
    QByteArray stored() const { return fileBytes(QStringLiteral("AddBook.dat")); }
};

// Only upper-case letters and digits open a group; the list sorts the whole
// key with letters alike in either case, whatever the file's order.
TEST_F(AddressBookTest, TabsListTheirGroupsInAlphabeticalOrder) {
    for (const auto& [surname, name] : std::initializer_list<std::pair<const char*, const char*>>{
             {"Rossi", "Rita"}, {"Quinn", "Ann"}, {"MACY", "Eve"}, {"Mack", "Fred"}, {"Mc Kay", "Al"}, {"Mcguire", "Di"},
             {"Zeta", "Zoe"}, {"Young", "Yan"}, {"Xu", "Xi"}, {"7Eleven", ""}, {"0800 Taxi", "Cab"}, {"de Vries", "Jan"},
             {" Space", "Sam"}, {"Edwards", "Ed"}, {"E\u00e7lair", "Bo"}, {"Ecker", "Ute"}})
        storeEntry(person(QString::fromUtf8(surname), QString::fromUtf8(name)));
    Form3& book = openBook();
    EXPECT_EQ(book.Combo1->ListCount(), 0) << "nothing is listed before a tab is clicked";
    QStringList captions;
    for (CommandButton* tab : book.Command4) captions << tab->Caption();
    EXPECT_EQ(captions.join(u' '), "A B C D E F G H I J K L M N O P QR S T U V W XYZ 123");

    clickTab(book, "QR");
    EXPECT_EQ(listed(book.Combo1), QStringList({"Quinn, Ann", "Rossi, Rita"}));
    EXPECT_EQ(book.Combo1->ListIndex(), 0);
    EXPECT_EQ(book.Text10->Text(), "Quinn") << "the first is shown";
    clickTab(book, "XYZ");
    EXPECT_EQ(listed(book.Combo1), QStringList({"Xu, Xi", "Young, Yan", "Zeta, Zoe"}));
    clickTab(book, "123");
    EXPECT_EQ(listed(book.Combo1), QStringList({"0800 Taxi, Cab", "7Eleven, "}));
    clickTab(book, "M");
    EXPECT_EQ(listed(book.Combo1), QStringList({"Mack, Fred", "MACY, Eve", "Mc Kay, Al", "Mcguire, Di"}));
    clickTab(book, "E");
    EXPECT_EQ(listed(book.Combo1), QStringList({"Ecker, Ute", QString::fromUtf8("E\u00e7lair, Bo"), "Edwards, Ed"}));

    // The tab clicked last is yellow, every other one a button's face.
    std::vector<quint32> colors, expected(24, SystemButtonFace);
    for (CommandButton* tab : book.Command4) colors.push_back(tab->BackColor());
    expected[4] = 0x00FFFF;
    EXPECT_EQ(colors, expected);

    // The lower-case and the blank surname belong to no tab.
    int everyTab = 0;
    for (CommandButton* tab : book.Command4) {
        QTest::mouseClick(tab, Qt::LeftButton);
        everyTab += book.Combo1->ListCount();
    }
    EXPECT_EQ(everyTab, 14);
}

TEST_F(AddressBookTest, TheChosenEntryShowsWithItsDetailsAndBirthday) {
    storeEntry(fullEntry());
    storeEntry(person("Black", "Bea", "02/02/1990"));
    Form3& book = openBook();
    clickTab(book, "B");
    EXPECT_EQ(listed(book.Combo1), QStringList({"Black, Bea", "Brown, Bob"}));
    book.Combo1->pick(1);

    QStringList shown{book.Text4->Text(), book.Text10->Text(), book.Text1->Text()};
    for (TextBox* box : book.Text3) shown << box->Text();
    shown << book.Text8->Text() << QString::number(book.Check1->Value()) << book.Text5->Text() << book.Text6->Text()
          << book.Text7->Text();
    EXPECT_EQ(shown, fullEntry().fields().mid(1));
    EXPECT_TRUE(book.Text8->Visible() && book.Label1[0]->Visible());

    // The details panel in the address panel's place, and back.
    QTest::mouseClick(book.Command5, Qt::LeftButton);
    EXPECT_EQ(book.Command5->Caption(), "View Address");
    EXPECT_TRUE(book.Frame4->isVisible() && !book.Frame2->isVisible());
    EXPECT_EQ(book.Frame4->geometry(), book.Frame2->geometry());
    auto* notesBar = book.Text7->findChild<QPlainTextEdit*>()->verticalScrollBar();
    EXPECT_TRUE(notesBar->isVisible() && !notesBar->isEnabled())
        << "the notes box shows the classic scroll bar, disabled while the notes fit";
    QTest::mouseClick(book.Command5, Qt::LeftButton);
    EXPECT_EQ(book.Command5->Caption(), "View Details");
    EXPECT_TRUE(book.Frame2->isVisible() && !book.Frame4->isVisible());

    // Without a birthday the date is stored all the same but not shown.
    book.Combo1->pick(0);
    EXPECT_EQ(book.Text8->Text(), "02/02/1990");
    EXPECT_FALSE(book.Text8->Visible() || book.Label1[0]->Visible());
    EXPECT_EQ(book.Text1->Text(), "");

    // An empty group empties the boxes; the birthday keeps its visibility.
    book.Combo1->pick(1);
    clickTab(book, "K");
    EXPECT_EQ(book.Combo1->Text(), "");
    EXPECT_EQ(book.Text1->Text() + book.Text3[0]->Text() + book.Text8->Text() + book.Text7->Text(), "");
    EXPECT_TRUE(book.Text8->Visible() && book.Label1[0]->Visible());
    EXPECT_EQ(book.Text10->Text(), "Brown") << "the holders stay";
}

// The dialog's boxes take no more than the entry's records hold; it has no
// close box, and Tab goes through its boxes in their order.
TEST_F(AddressBookTest, AddingAppendsEveryFieldAndRefreshesTheCurrentGroup) {
    storeEntry(person("Adams", "Amy"));
    Form3& book = openBook();
    clickTab(book, "A");
    app().window<Form1>().Calendar1->setValue(QDate(2024, 5, 20));

    QTest::mouseClick(book.Command3, Qt::LeftButton);
    Form7& dialog = app().window<Form7>();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Caption(), "Add Address Book Entry");
    EXPECT_EQ(dialog.DTPicker1->Value(), QDate(2024, 5, 20)) << "the calendar's date";
    EXPECT_FALSE(book.Command1->isEnabled() || book.Command2->isEnabled() || book.Command3->isEnabled());
    dialog.close();
    EXPECT_TRUE(dialog.isVisible()) << "no close box";
    std::vector<int> lengths;
    for (TextBox* box : dialog.Text2) lengths.push_back(box->MaxLength());
    for (TextBox* box : dialog.Text3) lengths.push_back(box->MaxLength());
    EXPECT_EQ(lengths, std::vector<int>({20, 20, 100, 30, 30, 100, 20, 20, 20, 20, 20, 20}));
    dialog.activateWindow();
    QCoreApplication::processEvents();
    dialog.Text2[0]->setFocus();
    QStringList visited;
    for (int i = 0; i < 16; ++i) {
        QWidget* at = QApplication::focusWidget();
        while (at && at->parentWidget() && at->objectName().endsWith(".edit")) at = at->parentWidget();
        visited << (at ? at->objectName() : QStringLiteral("-"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited.join(u' ').toStdString(), "Text2(0) Text2(1) Text2(2) Check1 DTPicker1 Text2(3) Text2(4) Text2(5) Text3(0) "
                                  "Text3(1) Text3(2) Text3(3) Text3(4) Text3(5) Command1 Command3");

    typeEntry(dialog, fullEntry());
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(book.Command1->isEnabled() && book.Command2->isEnabled() && book.Command3->isEnabled());
    EXPECT_EQ(bookCount(stored()), 2);
    EXPECT_EQ(bookBlock(stored(), 1), fullEntry().fields());
    EXPECT_EQ(listed(book.Combo1), QStringList{"Adams, Amy"}) << "the current group, not the new entry's";

    // The boxes are emptied for the next entry; the birthday stays unticked
    // and is stored, zero-padded, with the flag "0".
    QTest::mouseClick(book.Command3, Qt::LeftButton);
    QString boxes;
    for (TextBox* box : dialog.Text2) boxes += box->Text();
    for (TextBox* box : dialog.Text3) boxes += box->Text();
    EXPECT_EQ(boxes, "");
    EXPECT_EQ(dialog.Check1->Value(), 0);
    dialog.Text2[1]->typeText("Cole");
    dialog.DTPicker1->pick(QDate(2001, 9, 9));
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    const QStringList cole = bookBlock(stored(), 2);
    EXPECT_EQ(cole.mid(0, 3), QStringList({"Cole, ", "", "Cole"})) << "an empty name";
    EXPECT_EQ(cole.mid(10, 2), QStringList({"09/09/2001", "0"}));
    EXPECT_EQ(bookCount(stored()), 3);
}

// Each showing of the entry dialog starts with the keyboard in the name box,
// wherever the user left it the time before.
TEST_F(AddressBookTest, EachShowingOfTheEntryDialogStartsInTheNameBox) {
    Form3& book = openBook();
    Form7& dialog = app().window<Form7>();
    for (const char* name : {"Ann", "Bea"}) {
        QTest::mouseClick(book.Command3, Qt::LeftButton);
        ASSERT_TRUE(waitForKeys(dialog));
        EXPECT_TRUE(dialog.Text2[0]->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), name);
        EXPECT_EQ(dialog.Text2[0]->Text(), name);
        dialog.Command3->setFocus(Qt::TabFocusReason);  // the user tabs to "Cancel" and presses Space
        QTest::keyClick(dialog.Command3, Qt::Key_Space);
        ASSERT_FALSE(dialog.isVisible());
        WindowManager::focus(book);  // as the dialog goes
    }
}

TEST_F(AddressBookTest, ASurnameIsRequiredAndAnExistingKeyIsRefused) {
    storeEntry(person("de Vries", "Jan"));
    Form3& book = openBook();
    clickTab(book, "D");
    const QByteArray before = stored();

    QTest::mouseClick(book.Command3, Qt::LeftButton);
    Form7& dialog = app().window<Form7>();
    dialog.Text2[0]->typeText("Jan");
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(messages->texts, QStringList{"You need to supply a Surname!"});
    dialog.Text2[1]->typeText("de Vries");  // listed under no tab, but stored
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(messages->texts.last(), "Entry Already Exists!");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Text2[1]->Text(), "de Vries");
    EXPECT_FALSE(book.Command3->isEnabled());
    EXPECT_EQ(stored(), before);

    // Keys that differ in case are two entries; a surname of spaces is a surname.
    dialog.Text2[1]->setText("De Vries");
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    addEntry(book, person("  ", "Blank"));
    EXPECT_EQ(messages->texts.size(), 2);
    EXPECT_EQ(bookKeys(stored()), QStringList({"de Vries, Jan", "De Vries, Jan", "  , Blank"}));
    EXPECT_EQ(listed(book.Combo1), QStringList{"De Vries, Jan"});

    // Cancel after "Add Entry" writes nothing and gives the buttons back.
    const QByteArray three = stored();
    QTest::mouseClick(book.Command3, Qt::LeftButton);
    dialog.Text2[1]->typeText("Dropped");
    QTest::mouseClick(dialog.Command3, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(book.Command1->isEnabled() && book.Command2->isEnabled() && book.Command3->isEnabled());
    EXPECT_EQ(stored(), three);
}

TEST_F(AddressBookTest, EditingWritesTheEntryBackAsTheLastBlockInItsPlaceInTheList) {
    storeEntry(fullEntry());
    storeEntry(person("Baker", "Bo"));
    storeEntry(person("Bell", "Bea"));
    Form3& book = openBook();
    clickTab(book, "B");
    EXPECT_EQ(listed(book.Combo1), QStringList({"Baker, Bo", "Bell, Bea", "Brown, Bob"}));
    book.Combo1->pick(2);

    QTest::mouseClick(book.Command2, Qt::LeftButton);
    Form7& dialog = app().window<Form7>();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Caption(), "Edit Address Book Entry");
    EXPECT_FALSE(dialog.Command3->isVisible());

    // Meanwhile the entry stays in the file as it was, and shows so.
    const QByteArray before = stored();
    EXPECT_EQ(bookKeys(before), QStringList({"Brown, Bob", "Baker, Bo", "Bell, Bea"}));
    book.Combo1->pick(1);
    book.Combo1->pick(2);
    EXPECT_EQ(book.Text1->Text(), fullEntry().address);
    EXPECT_FALSE(book.Command2->isEnabled());

    // Another entry's key is refused; the edited entry's own is not another's.
    dialog.Text2[0]->setText("Bea");
    dialog.Text2[1]->setText("Bell");
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(messages->texts, QStringList{"Entry Already Exists!"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Command3->isVisible());
    EXPECT_EQ(stored(), before);
    dialog.Text2[0]->setText("Bob");
    dialog.Text2[1]->setText("Brown");

    // The entry, as the dialog shows it, goes to the end; the later ones move up.
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(bookKeys(stored()), QStringList({"Baker, Bo", "Bell, Bea", "Brown, Bob"}));
    EXPECT_EQ(bookBlock(stored(), 2), fullEntry().fields());
    EXPECT_TRUE(dialog.Command3->Visible()) << "Cancel comes back for the next opening";
    EXPECT_EQ(listed(book.Combo1), QStringList({"Baker, Bo", "Bell, Bea", "Brown, Bob"}));
    EXPECT_TRUE(book.Command2->isEnabled());

    // An edit that changes the key moves the entry to its new group.
    book.Combo1->pick(0);
    QTest::mouseClick(book.Command2, Qt::LeftButton);
    dialog.Text2[1]->setText("Archer");
    dialog.Check1->click();
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(bookKeys(stored()), QStringList({"Bell, Bea", "Brown, Bob", "Archer, Bo"}));
    EXPECT_EQ(bookBlock(stored(), 2).mid(10, 2), QStringList({"01/01/1970", "1"}));
    EXPECT_EQ(listed(book.Combo1), QStringList({"Bell, Bea", "Brown, Bob"}));

}

// Line breaks written by another program as a lone line feed come back from
// the boxes as carriage return and line feed: a value that no longer fits its
// record is refused, not cut.
TEST_F(AddressBookTest, AnEntryTooLongForItsRecordsIsRefusedNotCut) {
    AddressEntry foreign = person("Brown", "Bob");
    foreign.address = (QString(5, u'a') + u'\n').repeated(20);  // 120 characters
    storeEntry(foreign);
    Form3& book = openBook();
    clickTab(book, "B");
    QTest::mouseClick(book.Command2, Qt::LeftButton);
    Form7& dialog = app().window<Form7>();
    ASSERT_EQ(dialog.Text2[2]->Text().size(), 140);
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(messages->texts,
              QStringList{"This entry is too long to be saved. Please shorten its address or notes and save it again."});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(bookBlock(stored(), 0), foreign.fields()) << "nothing written";

    dialog.Text2[2]->setText(QStringLiteral("Short Street"));
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(bookCount(stored()), 1);
    EXPECT_EQ(bookBlock(stored(), 0)[3], "Short Street");
}

TEST_F(AddressBookTest, DeletingMovesTheLaterEntriesDownAndBlanksTheLastBlock) {
    storeEntry(fullEntry());
    storeEntry(person("Baker", "Bo"));
    storeEntry(person("Bell", "Bea"));
    storeEntry(person("Avery", "Al"));
    Form3& book = openBook();

    // Before any tab, the empty list deletes nothing and then shows group "A".
    const QByteArray before = stored();
    QTest::mouseClick(book.Command1, Qt::LeftButton);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(listed(book.Combo1), QStringList{"Avery, Al"});

    clickTab(book, "B");
    book.Combo1->pick(2);  // Brown, the first block
    QTest::mouseClick(book.Command1, Qt::LeftButton);
    EXPECT_TRUE(messages->texts.isEmpty()) << "no confirmation";
    const QByteArray after = stored();
    EXPECT_EQ(bookCount(after), 3);
    EXPECT_EQ(after.size(), before.size());
    for (const auto& [block, entry] : std::initializer_list<std::pair<int, AddressEntry>>{
             {0, person("Baker", "Bo")}, {1, person("Bell", "Bea")}, {2, person("Avery", "Al")}})
        EXPECT_EQ(bookBlock(after, block), entry.fields()) << block;
    EXPECT_EQ(bookBlock(after, 3), QStringList(15, QString()));
    EXPECT_EQ(listed(book.Combo1), QStringList({"Baker, Bo", "Bell, Bea"}));
    EXPECT_EQ(book.Text10->Text(), "Baker");
}

// The calendar and the Activities window follow every change of the book.
TEST_F(AddressBookTest, BirthdaysReachTheCalendarAndTheActivitiesWindow) {
    Form1& calendar = app().window<Form1>();
    const int cell = calendar.Calendar1->cellOf(QDate(2024, 3, 15));
    const auto birthdays = [this] { return listed(openDay(QDate(2024, 3, 15)).Combo4); };
    Form3& book = openBook();
    clickTab(book, "B");
    addEntry(book, fullEntry());
    EXPECT_TRUE(calendar.Picture1[cell]->Visible());
    EXPECT_EQ(birthdays(), QStringList{"Birthday - Brown, Bob ( 44 ) "});

    // Unticked by an edit: no dot, no line; ticked again, then deleted.
    QTest::mouseClick(book.Command2, Qt::LeftButton);
    EXPECT_TRUE(calendar.Picture1[cell]->Visible()) << "the entry stays in the file while it is edited";
    Form7& dialog = app().window<Form7>();
    dialog.Check1->click();
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_FALSE(calendar.Picture1[cell]->Visible());
    EXPECT_EQ(birthdays(), QStringList());
    QTest::mouseClick(book.Command2, Qt::LeftButton);
    dialog.Check1->click();
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_TRUE(calendar.Picture1[cell]->Visible());
    EXPECT_EQ(birthdays().size(), 1);
    QTest::mouseClick(book.Command1, Qt::LeftButton);
    EXPECT_FALSE(calendar.Picture1[cell]->Visible());
    EXPECT_EQ(birthdays(), QStringList());
}

// "Cancel" shows again after an edit because "Edit Entry" opened the dialog,
// whatever the Activities window did to the shared flag meanwhile.
TEST_F(AddressBookTest, CancelComesBackAfterAnEditWhateverTheActivitiesWindowDid) {
    storeEntry(fullEntry());
    Form3& book = openBook();
    clickTab(book, "B");
    QTest::mouseClick(book.Command2, Qt::LeftButton);
    Form7& dialog = app().window<Form7>();
    EXPECT_FALSE(dialog.Command3->isVisible());

    Form4& activities = openDay(QDate(2024, 3, 7));
    QTest::mouseClick(activities.Command3, Qt::LeftButton);  // "Add" clears EditMode
    EXPECT_FALSE(Module1::vars().EditMode);
    app().window<Form5>().hide();

    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(bookKeys(stored()), QStringList{"Brown, Bob"});
    QTest::mouseClick(book.Command3, Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Command3->isVisible());
}

// The Address Book closed by its close box and opened again comes up with its
// buttons enabled; the edit still open in the dialog is given up, its entry
// left in the file as it was, before the dialog takes another entry.
TEST_F(AddressBookTest, AnEditLeftOpenIsGivenUpBeforeTheDialogTakesAnotherEntry) {
    storeEntry(fullEntry());
    storeEntry(person("Baker", "Bo"));
    storeEntry(person("Bell", "Bea"));
    for (const bool thenEdit : {false, true}) {
        SCOPED_TRACE(thenEdit ? "Edit Entry" : "Add Entry");
        Form3* book = &openBook();
        clickTab(*book, "B");
        book->Combo1->pick(book->Combo1->findText("Brown, Bob"));
        QTest::mouseClick(book->Command2, Qt::LeftButton);
        Form7& dialog = app().window<Form7>();
        dialog.Text2[2]->setText("typed, never confirmed");
        const QByteArray before = stored();
        EXPECT_EQ(ownerOf(dialog), book->windowHandle());

        book->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dialog.isVisible()) << "the dialog belonged to the window, but outlives it";
        EXPECT_EQ(ownerOf(dialog), nullptr);
        book = &openBook();
        EXPECT_TRUE(book->Command2->isEnabled() && book->Command3->isEnabled());
        clickTab(*book, "B");
        book->Combo1->pick(book->Combo1->findText("Bell, Bea"));
        QTest::mouseClick(thenEdit ? book->Command2 : book->Command3, Qt::LeftButton);
        EXPECT_EQ(ownerOf(dialog), book->windowHandle()) << "shown again, it belongs to the new window";
        EXPECT_EQ(stored(), before);
        if (thenEdit) {
            EXPECT_EQ(dialog.Text2[1]->Text(), "Bell");
            EXPECT_FALSE(dialog.Command3->isVisible());
            QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        } else {
            EXPECT_EQ(dialog.Caption(), "Add Address Book Entry");
            EXPECT_EQ(dialog.Text2[2]->Text(), "");
            EXPECT_TRUE(dialog.Command3->isVisible());
            QTest::mouseClick(dialog.Command3, Qt::LeftButton);
        }
        EXPECT_EQ(bookKeys(stored()), QStringList({"Brown, Bob", "Baker, Bo", "Bell, Bea"}));
        EXPECT_EQ(bookBlock(stored(), 0), fullEntry().fields());
        EXPECT_EQ(listed(book->Combo1), QStringList({"Baker, Bo", "Bell, Bea", "Brown, Bob"}));
        EXPECT_FALSE(Module1::vars().EditedAddressKey.has_value());
    }
}

// The last entry the count allows lies far beyond 16-bit record numbers; one
// more is refused.
TEST_F(AddressBookTest, TheLastEntryTheCountAllowsIsStoredAndAFullBookRefusesOneMore) {
    Module1::setRecordCount(Module1::AddressBook, Module1::MaxEntries - 1);
    Form3& book = openBook();
    clickTab(book, "B");
    addEntry(book, fullEntry());
    EXPECT_TRUE(messages->texts.isEmpty());
    const QByteArray full = stored();
    EXPECT_EQ(bookCount(full), Module1::MaxEntries);
    EXPECT_EQ(full.size(), qint64(Module1::MaxEntries) * 16 * 128 - 128) << "up to the last field record";
    EXPECT_EQ(bookBlock(full, Module1::MaxEntries - 1), fullEntry().fields());
    EXPECT_EQ(listed(book.Combo1), QStringList{"Brown, Bob"});

    addEntry(book, person("Black", "Bea"));
    EXPECT_EQ(messages->texts,
              QStringList{"The address book is full: it holds 32767 entries. Delete an entry before adding another."});
    EXPECT_EQ(stored(), full);
    EXPECT_TRUE(app().window<Form7>().isVisible());
}

}  // namespace

namespace {

// An edit still open when the program ends is not stored, and its entry is
// in the file as it was.
class AddressEditAtExitTest : public DeskTest {};

TEST_F(AddressEditAtExitTest, AnEditOpenWhenTheProgramEndsLeavesTheEntryAsItWas) {
    Desk& desk = restart();
    storeEntry(fullEntry());
    storeEntry(person("Baker", "Bo"));
    const QByteArray before = fileBytes("AddBook.dat");
    desk.AddBook->trigger();
    Form3& book = app().window<Form3>();
    clickTab(book, "B");
    book.Combo1->pick(book.Combo1->findText("Brown, Bob"));
    QTest::mouseClick(book.Command2, Qt::LeftButton);
    app().window<Form7>().Text2[2]->setText("typed, never confirmed");

    desk.Exit->trigger();
    ASSERT_TRUE(programEnded());
    EXPECT_FALSE(application->files().isOpen(Module1::AddBookFile));
    EXPECT_EQ(fileBytes("AddBook.dat"), before);
}

}  // namespace
