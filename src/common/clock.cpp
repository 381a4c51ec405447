#include "common/clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <thread>

QDateTime Clock::now() const {
    return QDateTime(today(), QTime::fromMSecsSinceStartOfDay(int(timeOfDay() * 1000.0) % 86400000));
}

namespace {
qint64 monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Runs the event loop for the given time; sleeps while no event comes.
void runEventsFor(double seconds) {
    QCoreApplication::processEvents();
    if (seconds <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(std::chrono::milliseconds(qMax<qint64>(1, qint64(seconds * 1000.0))), &loop,
                       &QEventLoop::quit);
    loop.exec();
}
}  // namespace

SystemClock::SystemClock() : startNs_(monotonicNs()) {}

QDate SystemClock::today() const { return QDate::currentDate(); }

double SystemClock::timeOfDay() const { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

double SystemClock::elapsed() const { return double(monotonicNs() - startNs_) / 1e9; }

void SystemClock::pause(double seconds) {
    const double end = elapsed() + seconds;
    for (double left = seconds; left > 0; left = end - elapsed()) runEventsFor(left);
}

void SystemClock::stepWait(double seconds) {
    std::this_thread::sleep_for(std::chrono::nanoseconds(qint64(seconds * 1e9)));
}

void SystemClock::waitForEvents(double seconds) { runEventsFor(seconds); }

// Kept in UTC, so that no daylight-saving change disturbs the hand-set time.
FakeClock::FakeClock(const QDateTime& start) { set(start); }

void FakeClock::set(const QDateTime& when) { now_ = QDateTime(when.date(), when.time(), Qt::UTC); }

void FakeClock::advance(double seconds) {
    now_ = now_.addMSecs(qint64(seconds * 1000.0 + 0.5));
    elapsed_ += seconds;
}

double FakeClock::timeOfDay() const { return now_.time().msecsSinceStartOfDay() / 1000.0; }

void FakeClock::pause(double seconds) {
    ++pauses_;
    QCoreApplication::processEvents();
    advance(seconds);
}

void FakeClock::stepWait(double seconds) {
    ++stepWaits_;
    if (onStepWait) onStepWait();
    advance(seconds);
}

void FakeClock::waitForEvents(double seconds) {
    QCoreApplication::processEvents();
    advance(seconds);
}
