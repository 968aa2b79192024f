#include "base/Clock.h"

#include <QDeadlineTimer>
#include <QThread>

SystemClock::SystemClock() : startNs_(QDeadlineTimer::current().deadlineNSecs()) {}

void SystemClock::sleep(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

quint32 SystemClock::tickCount() const
{
    const qint64 elapsed = QDeadlineTimer::current().deadlineNSecs() - startNs_;
    return static_cast<quint32>(elapsed / 1000000);
}
