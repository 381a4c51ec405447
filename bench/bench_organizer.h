#pragma once
// What every benchmark starts its organizer with: a fake clock at a set time,
// messages written to the error stream, an open-file dialog that cancels.
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

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

// The median time of `runs` runs, in milliseconds.
inline double medianMs(int runs, const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[size_t(runs / 2)];
}
