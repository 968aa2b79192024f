#pragma once

// In the test programs a misused fake fails the running test and the run goes on.

#include "Misuse.h"

#include <gtest/gtest.h>

inline void failTestsOnMisuse()
{
    setMisuseHandler([](const std::string& what) { ADD_FAILURE() << what; });
}
