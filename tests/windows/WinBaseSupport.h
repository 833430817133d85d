#pragma once

#include <cstdlib>

#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

// A facility Wine may lack: the test skips, or fails where the run insists on its facilities.
#define SKIP_UNLESS(condition, reason)                          \
    do {                                                        \
        if (!(condition)) {                                     \
            if (std::getenv("WAKELATCH_REQUIRE_INTEGRATION")) { \
                FAIL() << reason;                               \
            }                                                   \
            GTEST_SKIP() << reason;                             \
        }                                                       \
    } while (false)

// Wine makes windows only on a display.
#define SKIP_WITHOUT_WINDOW(window)  \
    SKIP_UNLESS((window) != nullptr, \
                "no window can be created (no display for Wine?), error " << GetLastError())
