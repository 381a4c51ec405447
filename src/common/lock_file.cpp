#include "common/lock_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray programName(qint64 pid) {
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)).remove(QStringLiteral(" (deleted)")))
        .fileName()
        .toLocal8Bit();
}

QByteArray lockFileContents() {
    const qint64 pid = QCoreApplication::applicationPid();
    return QByteArray::number(pid) + '\n' + programName(pid) + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
}

bool writeAll(int fd, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t w = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            if (w == 0) errno = ENOSPC;
            return false;
        }
        done += w;
    }
    return true;
}

QByteArray readAll(int fd) {
    QByteArray bytes(4096, '\0');
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t r = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += r;
    }
    bytes.truncate(got);
    return bytes;
}

// Whether the lines of a lock file name a running process of this program on this host.
bool namesLiveOrganizer(const QByteArray& contents) {
    const QList<QByteArray> lines = contents.split('\n');
    if (lines.size() < 3) return false;
    bool ok = false;
    const qint64 pid = lines[0].toLongLong(&ok);
    if (!ok || pid <= 0 || pid != pid_t(pid)) return false;
    if (QString::fromUtf8(lines[2]) != QSysInfo::machineHostName()) return false;
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM) return false;
    return !lines[1].isEmpty() && programName(pid) == lines[1];
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

LockFile::LockFile(const QString& path) : path_(path) {}

LockFile::Result LockFile::lock() {
    if (isLocked()) return Result::Locked;
    error_ = 0;
    // A second round only after an abandoned lock file was removed; a third
    // would mean another organizer is taking over at this very moment.
    for (int round = 0; round < 2; ++round) {
        const Result result = create();
        if (result != Result::HeldElsewhere) return result;
        if (!removeIfAbandoned()) return error_ != 0 ? Result::Failed : Result::HeldElsewhere;
    }
    return Result::HeldElsewhere;
}

LockFile::Result LockFile::create() {
    const QByteArray path = QFile::encodeName(path_);
    const QByteArray temporary = path + ".new" + QByteArray::number(QCoreApplication::applicationPid());
    const int fd = ::open(temporary.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error_ = errno;
        return Result::Failed;
    }
    int error = 0;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !writeAll(fd, lockFileContents())) error = errno;
    else if (::link(temporary.constData(), path.constData()) != 0) error = errno;
    ::unlink(temporary.constData());
    if (error == 0) {
        fd_ = fd;
        return Result::Locked;
    }
    ::close(fd);
    if (error == EEXIST) return Result::HeldElsewhere;
    error_ = error;
    return Result::Failed;
}

bool LockFile::removeIfAbandoned() {
    const QByteArray path = QFile::encodeName(path_);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return true;  // its holder let go meanwhile
        if (errno != EACCES) {
            error_ = errno;
            return false;
        }
        // No organizer made a lock file that it cannot read itself.
        if (::unlink(path.constData()) == 0 || errno == ENOENT) return true;
        error_ = errno;
        return false;
    }
    bool abandoned = false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        // Still the file at the path (not one that another organizer has just
        // put there after removing this one) and naming no live organizer.
        struct stat opened {}, named {};
        abandoned = !namesLiveOrganizer(readAll(fd)) && ::fstat(fd, &opened) == 0 &&
                    ::stat(path.constData(), &named) == 0 && sameFile(opened, named);
        if (abandoned && ::unlink(path.constData()) != 0 && errno != ENOENT) {
            error_ = errno;
            abandoned = false;
        }
    } else if (errno != EWOULDBLOCK) {
        // A file system without flock: the lines alone tell.
        abandoned = !namesLiveOrganizer(readAll(fd)) && (::unlink(path.constData()) == 0 || errno == ENOENT);
    }
    ::close(fd);
    return abandoned;
}

void LockFile::unlock() {
    if (fd_ < 0) return;
    const QByteArray path = QFile::encodeName(path_);
    struct stat held {}, named {};
    if (::fstat(fd_, &held) == 0 && ::stat(path.constData(), &named) == 0 && sameFile(held, named))
        ::unlink(path.constData());
    ::close(fd_);
    fd_ = -1;
}

QString LockFile::failure() const { return qt_error_string(error_); }
