#pragma once
#include <QLockFile>
#include <QString>

// A lock file that keeps a second organizer away from what this one works
// on. A lock left behind by a process that has ended is taken over; the lock
// of a running organizer never is, however long it has been held.
class LockFile {
public:
    enum class Result { Locked, HeldElsewhere, Failed };

    explicit LockFile(const QString& path);
    Result lock();
    void unlock() { file_.unlock(); }
    bool isLocked() const { return file_.isLocked(); }
    // Why the last lock() failed, in the system's words.
    QString failure() const;

private:
    QLockFile file_;
};
