#include "controls/timer.h"

IntervalTimer::IntervalTimer(QObject* parent, const QString& name, int intervalMs, bool enabled) : QObject(parent) {
    setObjectName(name);
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &IntervalTimer::Timer);
    setEnabled(enabled);
}

void IntervalTimer::setEnabled(bool enabled) {
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}
