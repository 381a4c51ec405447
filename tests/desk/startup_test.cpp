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

// Merely starting writes the count records and the photo path back as they
// are, byte for byte, even when their length fields run past their records.
TEST_F(StartupTest, DamagedFilesDoNotStopTheStartAndAreLeftByteForByte) {
    QByteArray appoint(8 * 128, '\0');
    appoint.replace(7 * 128, 8, QByteArray::fromHex("0800ffff41424344"));  // a tagged string where the count belongs
    for (int i = 8; i < 128; ++i) appoint[7 * 128 + i] = char(0x40 + i % 26);
    writeRaw("Appoint.dat", appoint);
    QByteArray photo(128, 'p');
    photo.replace(0, 2, QByteArray::fromHex("2c01"));  // a path of 300 characters in a 128-byte record
    writeRaw("PhotoF.dat", photo);
    QByteArray notes(3 * 500, '\0');
    notes.replace(2 * 500, 4, QByteArray::fromHex("0200" "0500"));
    notes.replace(2 * 500 + 4, 10, "after-cnt!");
    writeRaw("Notes.dat", notes);
    QByteArray addBook(16 * 128, '\0');
    addBook.replace(15 * 128, 4, QByteArray::fromHex("0700ffff"));  // an unknown tag
    writeRaw("AddBook.dat", addBook);

    Desk& desk = startDesk();
    EXPECT_TRUE(desk.isVisible());
    EXPECT_TRUE(messages->texts.isEmpty());
    EXPECT_FALSE(desk.Image17->hasPicture());
    EXPECT_EQ(Module1::RecordCount(Module1::Appointments), 0);
    EXPECT_EQ(allFiles(), appoint + "|" + notes + "|" + addBook + "|" + photo);

    // A file cut short before its count gets one.
    writeRaw("Notes.dat", QByteArray::fromHex("0100"));
    restart();
    EXPECT_EQ(fileBytes("Notes.dat").mid(2 * 500, 4), taggedZero());
    EXPECT_TRUE(messages->texts.isEmpty());
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
