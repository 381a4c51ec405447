#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

// Files made together, such as the six of a new portfolio. Each is written
// whole under a temporary name beside its place (hidden, ending in ".new"),
// and only when all are complete are they renamed into place, in the order
// they were added, so that the last appears only when all the others are
// there. A file that stands in a place already is put aside (".old") until
// then. A failure on the way removes what was made and puts back what was
// put aside, so that the folder is as it was.
class NewFiles {
public:
    void add(const QString& path, const QByteArray& bytes) { files_.push_back({path, bytes}); }
    // True when all are in place; otherwise `failure` names the file that
    // failed and the system's cause.
    bool make(QString* failure);

    // For tests: in the next make(), the step after `stepsBefore` successful
    // ones (a file written, put aside or renamed into place) fails with the
    // system error `error`; with `error` 0 the program stops there as if
    // killed, leaving what it has done and telling nothing.
    static void failStep(int stepsBefore, int error);

private:
    struct File {
        QString path;
        QByteArray bytes;
    };
    std::vector<File> files_;
};
