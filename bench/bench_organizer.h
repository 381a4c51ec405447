#pragma once
// What every benchmark starts its organizer with: a fake clock at a set time,
// messages written to the error stream, an open-file dialog that cancels.
#include <cstdio>
#include <cstdlib>
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
