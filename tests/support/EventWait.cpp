#include "EventWait.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

// Runs events for up to `ms`, returning early only when the time is up.
void runEventsBriefly(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

bool waitFor(const std::function<bool()>& condition, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        runEventsBriefly(5);
    }
    return true;
}

void runEventsFor(int ms)
{
    runEventsBriefly(ms);
}
