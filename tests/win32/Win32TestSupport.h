#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "platform/windows/Utf.h"
#include "ui/win32/CommonControls.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch::testing {

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

// What a window shows, read straight from Win32 (not through the program's adapters).
inline std::string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return platform::utf::Narrow(text);
}

// A menu item's text by position, accelerator marks included; "" for a separator.
inline std::string MenuText(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return platform::utf::Narrow(text);
}

// A status bar part's text, parts counted from 0.
inline std::string StatusPanelText(HWND bar, int part) {
    wchar_t text[256] = {};
    if (LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0)) < 256) {
        SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    }
    return platform::utf::Narrow(text);
}

}  // namespace wakelatch::testing
