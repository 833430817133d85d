#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/win32/MessageLoop.h"
#include "platform/windows/Utf.h"
#include "ui/win32/CommonControls.h"
#include "ui/win32/Win32Texts.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch::testing {

// Dispatches the messages waiting now: what the window under test posted to itself.
inline void PumpPending() {
    win32app::DispatchWaitingMessages({});
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
