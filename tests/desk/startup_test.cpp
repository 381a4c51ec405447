#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTest>
#include <functional>

#include "common/lock_file.h"
#include "desk/module2.h"
#include "support/desk_start.h"

namespace {

class StartupTest : public DeskTest {
protected:
    QByteArray allFiles() const {
        return fileBytes("Appoint.dat") + "|" + fileBytes("Notes.dat") + "|" + fileBytes("AddBook.dat") + "|" +
               fileBytes("PhotoF.dat");
    }
    void writeRaw(const QString& name, const QByteArray& bytes) {
        QFile f(dataPath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

QByteArray taggedZero() { return QByteArray::fromHex("02000000"); }

TEST_F(StartupTest, FirstStartCreatesTheFourFiles) {
    Desk& desk = startDesk();

    // Every file is empty but for the tagged count 0 in the record after the first entry's.
    const auto counted = [](int countRecord, int length) {
        return QByteArray(countRecord * length, '\0') + taggedZero() + QByteArray(length - 4, '\0');
    };
    EXPECT_EQ(fileBytes("Appoint.dat"), counted(7, 128));
    EXPECT_EQ(fileBytes("Notes.dat"), counted(2, 500));
    EXPECT_EQ(fileBytes("AddBook.dat"), counted(15, 128));
    EXPECT_EQ(fileBytes("PhotoF.dat"), QByteArray(128, '\0'));
    EXPECT_TRUE(desk.isVisible());
    EXPECT_FALSE(desk.Image43->Visible() || desk.Image17->hasPicture());
    EXPECT_EQ(Module1::vars().DataDirectory, QDir::currentPath());
    EXPECT_TRUE(desk.Timer1->Enabled() && desk.Timer1->Interval() == 60000) << "the reminder check every minute";
    EXPECT_TRUE(messages->texts.isEmpty());

    // The splash has gone and waits, with its "Close" back, as the About box.
    frmSplash* splash = application->existingWindow<frmSplash>();
    ASSERT_NE(splash, nullptr);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_TRUE(splash->Command1->Visible());
}

TEST_F(StartupTest, LaterStartsChangeNoStoredByteAndShowTheStoredPhoto) {
    startDesk();
    const QByteArray first = allFiles();
    restart();
    EXPECT_EQ(allFiles(), first);

    // A stored "none" is written back unchanged and means no photo.
    application->files()[Module1::PhotoFile].writeString(1, QStringLiteral("none"));
    const QByteArray withNone = allFiles();
    EXPECT_FALSE(restart().Image17->hasPicture());
    EXPECT_EQ(allFiles(), withNone);

    // Counts already set are left as they are.
    application->files()[Module1::AppointFile].writeString(Module1::Appointments.record(2, 1), u"");
    Module1::setRecordCount(Module1::Appointments, 3);
    const QByteArray withCount = allFiles();
    restart();
    EXPECT_EQ(allFiles(), withCount);

    // A photo that has gone leaves the frame empty; its path stays stored.
    const QString jpeg = writePicture("photo.jpg", "JPG");
    application->files()[Module1::PhotoFile].writeString(1, jpeg);
    EXPECT_TRUE(restart().Image17->hasPicture());
    QFile::remove(jpeg);
    EXPECT_FALSE(restart().Image17->hasPicture());
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_EQ(storedPhoto(), jpeg);
}

TEST_F(StartupTest, TheSplashStaysUntilTheRoundedSecondPlusTwo) {
    struct Case { QTime start; double wait; };
    // A half rounds to the even second.
    for (const Case& c : {Case{QTime(9, 30, 0, 400), 1.6}, Case{QTime(9, 30, 0, 500), 1.5},
                          Case{QTime(9, 30, 1, 500), 2.5}, Case{QTime(23, 59, 59, 900), 2.1}}) {
        makeApplication();
        clock->set(QDateTime(QDate(2024, 3, 7), c.start));
        application->window<Desk>();
        EXPECT_TRUE(application->existingWindow<frmSplash>()->isHidden());
        EXPECT_GE(clock->elapsed(), c.wait - 1e-9) << c.start.toString().toStdString();
        EXPECT_LT(clock->elapsed(), c.wait + 0.021) << c.start.toString().toStdString();
    }
}

TEST_F(StartupTest, AStartDirectoryThatCannotBeWrittenEndsWithAMessage) {
    QDir(dataDir.path()).mkdir("Notes.dat");  // a directory where the notes file belongs
    Desk& desk = startDesk();
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains("Notes.dat"));
    EXPECT_TRUE(programEnded());
    EXPECT_FALSE(desk.isVisible());
}

// A file whose structure is damaged is named with what is wrong with it,
// and the organizer ends before it writes anything: the next entry would
// overwrite what survived. Found at the start, or when a file is put in
// place of an open one, or cut short where it lies, before the user's next
// action reaches a window.
TEST_F(StartupTest, ADamagedFileIsNamedAndTheOrganizerEndsWithoutWritingIntoIt) {
    using namespace Module1;
    const auto counted = [](int blockSize, int blocks, const QByteArray& count) {
        QByteArray file(blockSize * blocks * 128, '\0');
        for (int b = 0; b < blocks; ++b) file.replace(b * blockSize * 128, 4, QByteArray::fromHex("0200") + "ab");
        file.replace((blockSize - 1) * 128, count.size(), count);
        return file;
    };
    const QByteArray two = counted(8, 2, taggedZero());  // two appointments beyond a count of 0
    struct Case {
        const char* file;
        QByteArray bytes;
        QString what;
    };
    const Case cases[] = {
        {"Appoint.dat", counted(8, 2, QByteArray::fromHex("0200fdff")), "its count of appointments is negative (-3)"},
        {"Appoint.dat", counted(8, 2, QByteArray::fromHex("02000500")), "its count of appointments is 5, but it holds only 2"},
        {"Appoint.dat", counted(8, 2, QByteArray::fromHex("0200ff7f")), "its count of appointments is 32767, but it holds only 2"},
        {"Appoint.dat", counted(8, 2, QByteArray::fromHex("0800020041")),
         "where it keeps its count of appointments, it holds something that is not a number"},
        {"Appoint.dat", two.left(7 * 128), "it ends before its count of appointments"},
        {"Appoint.dat", two.left(1000), "it ends part way through a record (1000 bytes is not a whole number of 128-byte records)"},
        {"AddBook.dat", counted(16, 2, QByteArray::fromHex("0200ffff")), "its count of address entries is negative (-1)"},
        {"AddBook.dat", counted(16, 1, QByteArray::fromHex("0700ffff")),
         "where it keeps its count of address entries, it holds something that is not a number"},
        {"Notes.dat", QByteArray(2 * 500, '\0') + QByteArray::fromHex("02000500").leftJustified(500, '\0'),
         "its count of notes is 5, but it holds only 1"},
        {"Notes.dat", QByteArray::fromHex("0100"), "it ends part way through a record (2 bytes is not a whole number of 500-byte records)"},
        {"PhotoF.dat", QByteArray(200, 'p'), "it ends part way through a record (200 bytes is not a whole number of 128-byte records)"},
    };
    enum class When { AtTheStart, PutInPlace, CutShortInPlace };
    for (const Case& c : cases) {
        for (When when : {When::AtTheStart, When::PutInPlace, When::CutShortInPlace}) {
            SCOPED_TRACE(std::string(c.file) + ": " + c.what.toStdString() + " / " + std::to_string(int(when)));
            for (const char* name : {"Appoint.dat", "Notes.dat", "AddBook.dat", "PhotoF.dat"}) QFile::remove(dataPath(name));
            makeApplication();
            if (when == When::AtTheStart) {
                writeRaw(c.file, c.bytes);
            } else {
                startDesk();
                if (when == When::PutInPlace) {
                    writeRaw("damaged.tmp", c.bytes);
                    ASSERT_TRUE(::rename(qPrintable(dataPath("damaged.tmp")), qPrintable(dataPath(c.file))) == 0);
                } else {
                    writeRaw(c.file, c.bytes);  // the same file, written over where it lies
                }
                ASSERT_TRUE(messages->texts.isEmpty());
            }
            const QByteArray before = allFiles();

            Desk& desk = startDesk();
            if (when != When::AtTheStart) QTest::keyClick(&desk, Qt::Key_Right);  // the user's next action
            EXPECT_EQ(messages->texts, QStringList{QStringLiteral("The file \"%1\" is damaged: %2.\nThe organizer ends "
                                                                  "without changing it.")
                                                       .arg(QDir::toNativeSeparators(dataPath(c.file)), c.what)});
            EXPECT_TRUE(programEnded());
            EXPECT_EQ(allFiles(), before) << "not a byte written";
            if (when == When::AtTheStart) EXPECT_FALSE(desk.isVisible());
        }
    }

    // Entries beyond every count, as deletions leave them, are no damage: the
    // next entry takes the first place beyond the count.
    for (const char* name : {"Appoint.dat", "Notes.dat", "AddBook.dat", "PhotoF.dat"}) QFile::remove(dataPath(name));
    writeRaw("Appoint.dat", two);
    writeRaw("AddBook.dat", counted(16, 3, QByteArray::fromHex("02000100")));
    writeRaw("Notes.dat", QByteArray(2 * 500, 'n') + QByteArray::fromHex("0200").leftJustified(500, '\0') +
                              QByteArray(3 * 500, 'n'));
    Desk& desk = restart();
    EXPECT_TRUE(desk.isVisible());
    EXPECT_TRUE(messages->texts.isEmpty());
    RecordRange entry = Appointments.fieldRecords(0);
    entry.setString(Appointments.record(0, AppointmentField::Id), u"20240307-1");
    ASSERT_TRUE(AppendEntry(Appointments, RecordCount(Appointments), entry));
    EXPECT_EQ(fileBytes("Appoint.dat").size(), two.size());
    EXPECT_EQ(fileBytes("Appoint.dat").mid(7 * 128, 4), QByteArray::fromHex("02000100"));
    EXPECT_EQ(fileBytes("Appoint.dat").mid(8 * 128, 4), QByteArray::fromHex("0200") + "ab") << "beyond the count, as it was";
    EXPECT_EQ(fileBytes("Appoint.dat").left(12), QByteArray::fromHex("0a00") + "20240307-1");
}

class DataFolderLockTest : public StartupTest {
protected:
    QString lockPath() const { return dataPath(".velmora-organizer.lock"); }
    QStringList filesInFolder() const {
        return QDir(dataDir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    QString refusal() const {
        return QStringLiteral("Velmora Organizer is already running with the data files in %1.")
            .arg(QDir::toNativeSeparators(dataDir.path()));
    }
};

TEST_F(DataFolderLockTest, ASecondOrganizerOnTheSameFolderSaysSoAndTouchesNoFile) {
    startDesk();
    application->files()[Module1::PhotoFile].writeString(1, QStringLiteral("none"));
    const QByteArray before = allFiles();
    const QStringList present = filesInFolder();
    const std::unique_ptr<Application> first = std::move(application);  // keeps running, lock and all

    makeApplication();
    Desk& second = startDesk();
    EXPECT_EQ(messages->texts, QStringList{refusal()});
    EXPECT_TRUE(programEnded());
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(application->existingWindow<frmSplash>(), nullptr);
    EXPECT_FALSE(application->files().isOpen(Module1::AppointFile));
    EXPECT_EQ(allFiles(), before);
    EXPECT_EQ(filesInFolder(), present);
}

TEST_F(DataFolderLockTest, ALockLeftByAnEndedOrganizerIsTakenOverButALiveOnesNeverIs) {
    // A live holder keeps its lock however old the lock file is.
    LockFile live(lockPath());
    ASSERT_EQ(live.lock(), LockFile::Result::Locked);
    QFile lockFile(lockPath());
    ASSERT_TRUE(lockFile.open(QIODevice::ReadWrite));
    const QByteArray liveContent = lockFile.readAll();
    ASSERT_TRUE(lockFile.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
    lockFile.close();
    startDesk();
    EXPECT_EQ(messages->texts, QStringList{refusal()});
    live.unlock();

    // The same lock, left by a process that has ended.
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 deadPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    QByteArray content = liveContent;
    content.replace(0, content.indexOf('\n'), QByteArray::number(deadPid));
    ASSERT_TRUE(lockFile.open(QIODevice::WriteOnly));
    lockFile.write(content);
    lockFile.close();

    Desk& desk = restart();
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_TRUE(desk.isVisible());
    EXPECT_EQ(LockFile(lockPath()).lock(), LockFile::Result::HeldElsewhere);
}

TEST_F(DataFolderLockTest, EveryRoadOutClosesTheFilesAndReleasesTheFolder) {
    auto free = [this] { return LockFile(lockPath()).lock() == LockFile::Result::Locked; };
    struct Road {
        const char* name;
        int endCode;
        std::function<void(Desk&)> take;
    };
    const Road roads[] = {
        {"menu Exit", 0, [](Desk& desk) { desk.Exit->trigger(); }},
        {"Exit drawer label", 0,
         [](Desk& desk) {
             QTest::mouseClick(desk.Command3, Qt::LeftButton);
             QTest::mouseClick(desk.Label3, Qt::LeftButton);
             EXPECT_EQ(Module2::drawerParts(Module2::Drawer::Exit).front->Top(), 3360) << "the drawer slid shut";
         }},
        {"close box of the desk", 0, [](Desk& desk) { desk.close(); }},
        {"a failure", 1, [](Desk&) { app().fail(QStringLiteral("A failure the program cannot go on from.")); }},
        {"the end of the application object", 0, [this](Desk&) { application.reset(); }},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        Desk& desk = restart();
        ASSERT_FALSE(free());
        road.take(desk);
        EXPECT_TRUE(free());
        if (!application) continue;
        EXPECT_EQ(endCodes, std::vector<int>{road.endCode});
        for (int n : {11, 12, 13, 14}) EXPECT_FALSE(application->files().isOpen(n)) << n;
    }
}

}  // namespace
