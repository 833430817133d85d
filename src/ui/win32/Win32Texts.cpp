#include "ui/win32/Win32Texts.h"

#include "platform/windows/Utf.h"

namespace wakelatch::win32ui {

std::string TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return platform::utf::Narrow(text);
}

void SetTextOf(HWND window, const std::string& text) {
    SetWindowTextW(window, platform::utf::Widen(text).c_str());
}

void Win32CommandButton::SetEnabled(bool enabled) {
    EnableWindow(window_, enabled ? TRUE : FALSE);
}

bool Win32CommandButton::Enabled() const {
    return IsWindowEnabled(window_) != FALSE;
}

void Win32Toggle::SetValue(int value) {
    const WPARAM state = value == 2 ? BST_INDETERMINATE : value == 1 ? BST_CHECKED : BST_UNCHECKED;
    SendMessageW(window_, BM_SETCHECK, state, 0);
}

int Win32Toggle::Value() const {
    const LRESULT state = SendMessageW(window_, BM_GETCHECK, 0, 0);
    return state == BST_INDETERMINATE ? 2 : state == BST_CHECKED ? 1 : 0;
}

controls::Captioned* Win32CaptionTargets::Find(std::string_view name) {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second.get();
}

controls::Captioned& Win32CaptionTargets::Add(const std::string& name,
                                              std::unique_ptr<controls::Captioned> control) {
    auto& slot = controls_[name];
    slot = std::move(control);
    return *slot;
}

}  // namespace wakelatch::win32ui
