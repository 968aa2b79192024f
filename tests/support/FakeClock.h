#pragma once

// A clock whose pauses take no time: each is recorded in the wire log and moves the
// clock forward, so scripted input can arrive "during" a pause.

#include "base/Clock.h"

#include <functional>

class WireLog;

class FakeClock final : public Clock {
public:
    explicit FakeClock(WireLog& log) : log_(log) {}

    void sleep(int ms) override;
    quint32 tickCount() const override { return static_cast<quint32>(now_); }

    qint64 now() const { return now_; }
    void advance(int ms);
    // Called after every move of the clock (the fake port delivers due input).
    std::function<void(qint64 now)> onAdvance;

private:
    WireLog& log_;
    qint64 now_ = 0;
};
