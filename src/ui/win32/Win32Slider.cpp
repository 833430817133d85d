#include "ui/win32/Win32Slider.h"

#include "ui/win32/CommonControls.h"

#include "platform/windows/Utf.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Tooltip.h"

namespace wakelatch::win32ui {

SliderEvent SliderEventOf(int scrollCode) {
    switch (scrollCode) {
        case TB_THUMBTRACK:
            return SliderEvent::Moving;
        case TB_ENDTRACK:
            return SliderEvent::Ended;
        default:
            return SliderEvent::Settled;
    }
}

Win32Slider::Win32Slider(HWND trackbar) : trackbar_(trackbar) {
    tooltip_ = CreateTooltip(trackbar_);
    wchar_t empty[] = L"";
    TTTOOLINFOW info{};
    ToolInfo(info, empty);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    settled_ = Value();
}

Win32Slider::~Win32Slider() {
    if (IsWindow(tooltip_) != FALSE) {
        DestroyWindow(tooltip_);
    }
}

// The size of the older structure: every version of the common controls takes it.
void Win32Slider::ToolInfo(TTTOOLINFOW& info, wchar_t* text) const {
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    info.hwnd = trackbar_;
    info.uId = 1;
    info.lpszText = text;
}

void Win32Slider::SetValue(int position) {
    SendMessageW(trackbar_, TBM_SETPOS, TRUE, position);
    settled_ = Value();
}

int Win32Slider::Value() const {
    return static_cast<int>(SendMessageW(trackbar_, TBM_GETPOS, 0, 0));
}

bool Win32Slider::Settle() {
    const int position = Value();
    const bool changed = position != settled_;
    settled_ = position;
    return changed;
}

void Win32Slider::ShowPopupText(const std::string& text) {
    std::wstring wide = platform::utf::Widen(text);
    TTTOOLINFOW info{};
    ToolInfo(info, wide.data());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    // Beside the thumb, on the side away from the ticks' labels: right of the trackbar.
    RECT thumb{};
    SendMessageW(trackbar_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    RECT bar{};
    GetClientRect(trackbar_, &bar);
    POINT at{bar.right + Scaled(4, DpiOf(trackbar_)), thumb.top};
    ClientToScreen(trackbar_, &at);
    SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
}

void Win32Slider::HidePopupText() {
    wchar_t empty[] = L"";
    TTTOOLINFOW info{};
    ToolInfo(info, empty);
    SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
}

}  // namespace wakelatch::win32ui
