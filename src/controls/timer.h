#pragma once
#include <QObject>
#include <QTimer>

// A timer: Timer runs each time its interval elapses while it is enabled.
class IntervalTimer : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Interval READ Interval)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
public:
    IntervalTimer(QObject* parent, const QString& name, int intervalMs, bool enabled = true);
    int Interval() const { return timer_.interval(); }
    bool Enabled() const { return timer_.isActive(); }
    void setEnabled(bool enabled);

signals:
    void Timer();

private:
    QTimer timer_;
};
