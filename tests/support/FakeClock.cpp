#include "FakeClock.h"

#include "WireLog.h"

void FakeClock::sleep(int ms)
{
    log_.pause(ms);
    advance(ms);
}

void FakeClock::advance(int ms)
{
    now_ += ms;
    if (onAdvance)
        onAdvance(now_);
}
