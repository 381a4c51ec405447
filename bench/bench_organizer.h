#pragma once
// What every benchmark starts with: the application on the offscreen
// platform, a temporary folder for its files, and an organizer with a fake
// clock at a set time, messages written to the error stream and an
// open-file dialog that cancels.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "common/application.h"
#include "common/conversions.h"

// The application, made for the offscreen platform, and an empty temporary
// folder that goes with the benchmark's end.
struct BenchStart {
    BenchStart(int& argc, char** argv) : qapp((qputenv("QT_QPA_PLATFORM", "offscreen"), argc), argv) {
        if (!directory.isValid()) qFatal("no temporary directory");
    }
    QApplication qapp;
    QTemporaryDir directory;
};

struct StderrMessages : MessageSeam {
    void show(const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    bool ask(const QString& text) override {
        show(text);
        return false;
    }
};

struct CancellingFileDialog : OpenFileSeam {
    std::optional<QString> open(const QString&, const QString&) override { return std::nullopt; }
};

inline Application::Seams benchSeams(const QDateTime& now, FakeClock** clock = nullptr) {
    auto owned = std::make_unique<FakeClock>(now);
    if (clock) *clock = owned.get();
    return {std::move(owned), std::make_unique<StderrMessages>(), std::make_unique<CancellingFileDialog>(),
            [](int code) { std::exit(code); }};
}

// A file of 128-byte records built in memory and written at once.
class Records {
public:
    void string(qint32 record, const QByteArray& text) {
        char* at = slot(record);
        qToLittleEndian<quint16>(quint16(text.size()), at);
        std::copy(text.begin(), text.end(), at + 2);
    }
    void integer(qint32 record, qint16 value) { qToLittleEndian<qint16>(value, slot(record)); }
    void date(qint32 record, const QDate& day) { qToLittleEndian<double>(Conversions::toSerialDate(day), slot(record)); }
    void money(qint32 record, qint64 scaled) { qToLittleEndian<qint64>(scaled, slot(record)); }
    // A tagged 2-byte integer (a count) or string (an account name).
    void count(qint32 record, qint16 value) {
        integer(record, 2);
        qToLittleEndian<qint16>(value, slot(record) + 2);
    }
    void taggedString(qint32 record, const QByteArray& text) {
        char* at = slot(record);
        qToLittleEndian<qint16>(8, at);
        qToLittleEndian<quint16>(quint16(text.size()), at + 2);
        std::copy(text.begin(), text.end(), at + 4);
    }
    void save(const QString& path) const {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes_) != bytes_.size())
            qFatal("cannot write %s", qPrintable(path));
    }

private:
    char* slot(qint32 record) {
        const qsizetype end = qsizetype(record) * 128;
        if (bytes_.size() < end) bytes_.resize(end, '\0');
        return bytes_.data() + end - 128;
    }
    QByteArray bytes_;
};

// A procedure's time against its plain read, run after run in turn, so that
// both see the same machine load; the fastest run of each counts.
struct Comparison {
    double baselineMs = 1e300, workMs = 1e300;
    double ratio() const { return workMs / baselineMs; }
};

inline double timeMs(const std::function<void()>& f) {
    QElapsedTimer timer;
    timer.start();
    f();
    return double(timer.nsecsElapsed()) / 1e6;
}

inline Comparison compare(const std::function<void()>& baseline, const std::function<void()>& work, int runs) {
    Comparison result;
    for (int i = 0; i < runs; ++i) {
        result.baselineMs = std::min(result.baselineMs, timeMs(baseline));
        result.workMs = std::min(result.workMs, timeMs(work));
    }
    return result;
}
