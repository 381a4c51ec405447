#pragma once
#include <QDate>
#include <QDateTime>
#include <functional>

// The program's sense of time. Windows reach it only through the application
// object, so that tests can set the date and time.
class Clock {
public:
    virtual ~Clock() = default;

    virtual QDate today() const = 0;
    // Seconds since midnight, with fraction.
    virtual double timeOfDay() const = 0;
    // Seconds on a clock that never jumps back; used to measure waits.
    virtual double elapsed() const = 0;

    // Waits the given seconds while window events run.
    virtual void pause(double seconds) = 0;
    // Waits the given seconds without letting any window event run.
    virtual void stepWait(double seconds) = 0;
    // Lets window events run, waiting at most the given seconds for them.
    virtual void waitForEvents(double seconds) = 0;

    QDateTime now() const;
};

// The real clock. Waits are measured on a monotonic timer, so a wait ends
// after its length even when midnight falls inside it.
class SystemClock : public Clock {
public:
    SystemClock();
    QDate today() const override;
    double timeOfDay() const override;
    double elapsed() const override;
    void pause(double seconds) override;
    void stepWait(double seconds) override;
    void waitForEvents(double seconds) override;

private:
    qint64 startNs_;
};

// A clock whose date and time are set by hand; waits advance it.
class FakeClock : public Clock {
public:
    explicit FakeClock(const QDateTime& start);
    void set(const QDateTime& when);
    void advance(double seconds);

    QDate today() const override { return now_.date(); }
    double timeOfDay() const override;
    double elapsed() const override { return elapsed_; }
    void pause(double seconds) override;
    void stepWait(double seconds) override;
    void waitForEvents(double seconds) override;

    int pauses() const { return pauses_; }
    int stepWaits() const { return stepWaits_; }
    // Called at the start of every step wait, so a test can watch an animation.
    std::function<void()> onStepWait;

private:
    QDateTime now_;
    double elapsed_ = 0;
    int pauses_ = 0;
    int stepWaits_ = 0;
};
