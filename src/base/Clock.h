#pragma once

// Time as the handlers see it. The controller is paced by fixed blocking pauses; going
// through this object lets tests record the pauses instead of waiting them out.

#include <QtGlobal>

class Clock {
public:
    virtual ~Clock() = default;
    // Blocks for `ms` milliseconds (the window does not repaint meanwhile, on purpose:
    // nothing may reach the controller during a pause).
    virtual void sleep(int ms) = 0;
    // Milliseconds since an arbitrary start; wraps at 32 bits.
    virtual quint32 tickCount() const = 0;
};

class SystemClock final : public Clock {
public:
    SystemClock();
    void sleep(int ms) override;
    quint32 tickCount() const override;

private:
    qint64 startNs_;
};
