#pragma once
#include <QString>

// A lock file that keeps a second organizer away from what this one works on.
//
// The holder keeps the file open with an exclusive flock(2) for as long as it
// holds the lock, and the file names it: its process ID, program name and
// host, one per line. A lock file is taken over when it names no running
// organizer on this machine: nobody holds its flock and its lines do not name
// a live process of this program here (an empty, damaged or unreadable file,
// a process that has ended, another host). A running organizer's lock is never
// taken over, however long it has been held.
class LockFile {
public:
    enum class Result { Locked, HeldElsewhere, Failed };

    explicit LockFile(const QString& path);
    ~LockFile() { unlock(); }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    Result lock();
    void unlock();
    bool isLocked() const { return fd_ >= 0; }
    // Why the last lock() failed, in the system's words.
    QString failure() const;

private:
    // Makes a complete lock file under a name of its own and links it to the
    // lock's path, so that the path never names a lock file still being written.
    Result create();
    // Removes the lock file at the path when it names no running organizer;
    // false when a running organizer holds it.
    bool removeIfAbandoned();

    QString path_;
    int fd_ = -1;
    int error_ = 0;
};
