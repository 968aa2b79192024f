#pragma once

// Waiting in tests that run against real time (pseudo-terminals, the simulator, an X
// server): the event loop runs meanwhile, so the program under test keeps working.

#include <functional>

// Until `condition` holds; false when `ms` passed first.
bool waitFor(const std::function<bool()>& condition, int ms = 5000);

// For `ms`, to give something that must not happen (a flood of errors, a repeated
// line, a byte sent after a cancel) the time to show itself.
void runEventsFor(int ms);
