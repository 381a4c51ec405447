#include "common/lock_file.h"

#include <cerrno>

LockFile::LockFile(const QString& path) : file_(path) {
    // By default a lock older than half a minute counts as abandoned even while
    // its organizer runs; only a lock whose process has ended may be taken over.
    file_.setStaleLockTime(0);
}

LockFile::Result LockFile::lock() {
    if (file_.tryLock(0)) return Result::Locked;
    switch (file_.error()) {
    case QLockFile::PermissionError:
    case QLockFile::UnknownError: return Result::Failed;
    case QLockFile::NoError:  // held by this very process
    case QLockFile::LockFailedError: break;
    }
    return Result::HeldElsewhere;
}

QString LockFile::failure() const {
    return qt_error_string(file_.error() == QLockFile::PermissionError ? EACCES : EIO);
}
