#include "common/new_files.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/application.h"
#include "common/record_file.h"

namespace {
// The failure a test has asked for, kept by the application object.
struct InjectedFailure {
    int stepsBefore = -1;
    int error = 0;
};
constexpr int Killed = -1;

// A hidden name beside a file's own: its folder, ".", its name, the ending.
QByteArray besideName(const QString& path, QLatin1String ending) {
    const QFileInfo info(path);
    return QFile::encodeName(info.dir().filePath(u'.' + info.fileName() + ending));
}

// Writes a new file whole and makes sure it is on the disk: 0, or the system's error.
int writeWhole(const QByteArray& name, const QByteArray& bytes) {
    ::unlink(name.constData());  // left by a making that was cut short
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = 0;
    for (qsizetype done = 0; done < bytes.size() && error == 0;) {
        const ssize_t w = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (w > 0)
            done += w;
        else if (w == 0 || errno != EINTR)
            error = w < 0 ? errno : ENOSPC;
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

int renamed(const QByteArray& from, const QByteArray& to) { return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno; }

// Whether something that can be put aside stands at a path: anything but a folder.
bool standsAt(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}
}  // namespace

void NewFiles::failStep(int stepsBefore, int error) { app().state<InjectedFailure>() = {stepsBefore, error}; }

bool NewFiles::make(QString* failure) {
    struct Place {
        QByteArray path, temporary, aside;
        bool putAside = false, placed = false;
    };
    std::vector<Place> places;
    for (const File& file : files_)
        places.push_back({QFile::encodeName(file.path), besideName(file.path, QLatin1String(".new")),
                          besideName(file.path, QLatin1String(".old"))});

    const InjectedFailure injected = std::exchange(app().state<InjectedFailure>(), {});
    int steps = 0;
    // One step: 0 when done, else the system's error (or Killed).
    auto step = [&](auto act) {
        return steps++ == injected.stepsBefore ? (injected.error == 0 ? Killed : injected.error) : act();
    };

    size_t at = 0;
    int error = 0;
    for (; at < places.size() && error == 0; ++at)
        error = step([&] { return writeWhole(places[at].temporary, files_[at].bytes); });
    if (error == 0) {
        for (at = 0; at < places.size() && error == 0; ++at) {
            Place& p = places[at];
            if (standsAt(p.path)) {
                error = step([&] { return renamed(p.path, p.aside); });
                p.putAside = error == 0;
            }
            if (error == 0) error = step([&] { return renamed(p.temporary, p.path); });
            p.placed = error == 0;
        }
    }
    if (error == Killed) return false;
    if (error == 0) {
        for (const Place& p : places) ::unlink(p.aside.constData());  // also one left by a making cut short
        return true;
    }

    for (auto p = places.rbegin(); p != places.rend(); ++p) {
        if (p->putAside)
            ::rename(p->aside.constData(), p->path.constData());
        else if (p->placed)
            ::unlink(p->path.constData());
        if (!p->placed) ::unlink(p->temporary.constData());  // also one written in part
    }
    if (failure) *failure = RecordFile::failureText(files_[at - 1].path, QStringLiteral("could not be written"), error);
    return false;
}
