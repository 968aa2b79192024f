#pragma once

// How a fake says the code under test used it wrongly (a confirmation nobody expected,
// a component name no window has, a file it could not write). Test programs turn that
// into a test failure; the benchmarks and the fuzz target, which have no test to fail,
// stop with the message, so a fault cannot pass for a figure.

#include <string>

using MisuseHandler = void (*)(const std::string& what);

// The default prints `what` and aborts.
void setMisuseHandler(MisuseHandler handler);
void reportMisuse(const std::string& what);
