#pragma once
// What every benchmark starts its organizer with: a fake clock at a set time,
// messages written to the error stream, an open-file dialog that cancels.
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "common/application.h"

struct StderrMessages : MessageSeam {
    void show(const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
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

// A procedure's time against its plain read, run after run in turn, so that
// both see the same machine load; the fastest run of each counts.
struct Comparison {
    double baselineMs = 1e300, workMs = 1e300;
    double ratio() const { return workMs / baselineMs; }
};

inline Comparison compare(const std::function<void()>& baseline, const std::function<void()>& work, int runs) {
    Comparison result;
    auto time = [](const std::function<void()>& f) {
        QElapsedTimer timer;
        timer.start();
        f();
        return double(timer.nsecsElapsed()) / 1e6;
    };
    for (int i = 0; i < runs; ++i) {
        result.baselineMs = std::min(result.baselineMs, time(baseline));
        result.workMs = std::min(result.workMs, time(work));
    }
    return result;
}
