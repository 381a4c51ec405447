#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

#include "common/lock_file.h"

namespace {

class LockFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("folder.lock")); }
    void leave(const QByteArray& contents) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contents);
    }
    static QByteArray lines(qint64 pid, const QByteArray& host = QSysInfo::machineHostName().toUtf8()) {
        return QByteArray::number(pid) + "\norganizer-tests\n" + host + "\n";
    }
    static qint64 endedPid() {
        QProcess ended;
        ended.start(QStringLiteral("true"), {});
        EXPECT_TRUE(ended.waitForStarted());
        const qint64 pid = ended.processId();
        EXPECT_TRUE(ended.waitForFinished());
        return pid;
    }
};

// Whatever a crash, a copy or another machine left in the lock file, when no
// running organizer here holds it, the next one takes it over.
TEST_F(LockFileTest, ALockFileNamingNoRunningOrganizerHereIsTakenOver) {
    const qint64 me = QCoreApplication::applicationPid();
    const struct {
        const char* what;
        QByteArray contents;
    } left[] = {
        {"empty", {}},
        {"garbage", QByteArray("\xff\x00 not a lock \n\n", 16)},
        {"a process that has ended", lines(endedPid())},
        {"a live process of another program", QByteArray::number(me) + "\nsome-other-program\n" + QSysInfo::machineHostName().toUtf8() + "\n"},
        {"another host", lines(me, "elsewhere.example")},
    };
    for (const auto& l : left) {
        SCOPED_TRACE(l.what);
        leave(l.contents);
        LockFile lock(path());
        ASSERT_EQ(lock.lock(), LockFile::Result::Locked);
        EXPECT_EQ(LockFile(path()).lock(), LockFile::Result::HeldElsewhere) << "and holds it now";
        lock.unlock();
        EXPECT_FALSE(QFile::exists(path()));
    }
}

TEST_F(LockFileTest, ARunningOrganizersLockIsNeverTakenOverHoweverOld) {
    LockFile live(path());
    ASSERT_EQ(live.lock(), LockFile::Result::Locked);
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), lines(QCoreApplication::applicationPid()));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addYears(-1), QFileDevice::FileModificationTime));
    EXPECT_EQ(LockFile(path()).lock(), LockFile::Result::HeldElsewhere);
    QLockFile older(path());  // an organizer of an earlier make agrees
    older.setStaleLockTime(0);
    EXPECT_FALSE(older.tryLock(0));

    // Its lines alone keep it too, where the file system keeps no flock.
    live.unlock();
    leave(lines(QCoreApplication::applicationPid()));
    EXPECT_EQ(LockFile(path()).lock(), LockFile::Result::HeldElsewhere);
}

// A lock file that cannot be written says why in the system's words.
TEST_F(LockFileTest, AFailedLockTellsTheSystemsCause) {
    LockFile missing(dir.filePath(QStringLiteral("gone/folder.lock")));
    EXPECT_EQ(missing.lock(), LockFile::Result::Failed);
    EXPECT_EQ(missing.failure(), QStringLiteral("No such file or directory"));

    // No room for a single byte of it: the cause is the size limit the system met.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit none = old;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &none);
    LockFile full(path());
    const LockFile::Result result = full.lock();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, LockFile::Result::Failed);
    EXPECT_EQ(full.failure(), QStringLiteral("File too large"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList()) << "nothing left behind";
}

}  // namespace
