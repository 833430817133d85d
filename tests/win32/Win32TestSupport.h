#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>

#include "platform/windows/Win32.h"

namespace wakelatch::testing {

inline bool WindowsRequired() {
    return std::getenv("WAKELATCH_REQUIRE_INTEGRATION") != nullptr;
}

// Wine makes windows only on a display; without one a window test skips (or fails where it must run).
#define SKIP_WITHOUT_WINDOW(window)                                                        \
    do {                                                                                   \
        if ((window) == nullptr) {                                                         \
            if (::wakelatch::testing::WindowsRequired()) {                                 \
                FAIL() << "no window can be created (error " << GetLastError() << ")";     \
            }                                                                              \
            GTEST_SKIP() << "no window can be created here (no display for Wine?), error " \
                         << GetLastError();                                                \
        }                                                                                  \
    } while (false)

// Dispatches messages as they come until `done` or the limit: waits for messages, never sleeps.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done()) {
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
    }
}

inline void PumpPending() {
    PumpUntil([] { return true; }, std::chrono::milliseconds(0));
}

}  // namespace wakelatch::testing
