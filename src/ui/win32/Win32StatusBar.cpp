#include "ui/win32/Win32StatusBar.h"

#include "ui/win32/CommonControls.h"

#include "platform/windows/Utf.h"

namespace wakelatch::win32ui {

bool Win32StatusBar::HasPanel(int panel) const {
    return panel >= 1 && panel <= static_cast<int>(SendMessageW(statusBar_, SB_GETPARTS, 0, 0));
}

void Win32StatusBar::SetPanelText(int panel, const std::string& text) {
    if (HasPanel(panel)) {
        SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(panel - 1),
                     reinterpret_cast<LPARAM>(platform::utf::Widen(text).c_str()));
    }
}

std::string Win32StatusBar::PanelText(int panel) const {
    if (!HasPanel(panel)) {
        return {};
    }
    const auto index = static_cast<WPARAM>(panel - 1);
    std::wstring text(LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, index, 0)) + 1U, L'\0');
    text.resize(LOWORD(SendMessageW(statusBar_, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text.data()))));
    return platform::utf::Narrow(text);
}

}  // namespace wakelatch::win32ui
