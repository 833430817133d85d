#include "ui/win32/Win32NotificationArea.h"

#include <algorithm>

#include "platform/windows/Utf.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/ResourceIds.h"

namespace wakelatch::win32ui {

Win32NotificationArea::Win32NotificationArea(ShellCall shell) : shell_(std::move(shell)) {
    if (!shell_) {
        shell_ = [](DWORD message, NOTIFYICONDATAW& data) { return Shell_NotifyIconW(message, &data); };
    }
}

Win32NotificationArea::~Win32NotificationArea() {
    for (const auto& [key, icon] : icons_) {
        DestroyIcon(icon);
    }
}

UINT Win32NotificationArea::TaskbarCreatedMessage() {
    return RegisterWindowMessageW(L"TaskbarCreated");
}

bool Win32NotificationArea::Available() const {
    return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

HICON Win32NotificationArea::IconFor(TrayPicture picture) {
    if (picture == TrayPicture::None) {
        return nullptr;
    }
    const UINT dpi = DpiOf(nullptr);
    HICON& icon = icons_[{picture, dpi}];
    if (icon == nullptr) {
        const int id = picture == TrayPicture::Working ? kTrayWorkingIcon : kTrayIdleIcon;
        const int size = SmallIconSize(dpi);
        icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
    }
    return icon;
}

NOTIFYICONDATAW Win32NotificationArea::ToShell(const TrayIconRecord& record) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = reinterpret_cast<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = IconFor(record.hIcon);
    // The tip ends at its NUL; the blanks after it are the old record's padding, never shown.
    const std::wstring tip = platform::utf::Widen(record.szTip.substr(0, record.szTip.find('\0')));
    const std::size_t length = std::min(tip.size(), std::size(data.szTip) - 1);
    std::copy_n(tip.begin(), length, data.szTip);
    return data;
}

bool Win32NotificationArea::Shell_NotifyIcon(int message, const TrayIconRecord& record) {
    NOTIFYICONDATAW data = ToShell(record);
    if (message == tray::kAdd) {
        const bool added = shell_(NIM_ADD, data) != FALSE;
        if (added || !wanted_) {
            wantedRecord_ = record;
        }
        wanted_ = true;
        return added;
    }
    if (message == tray::kDelete) {
        wanted_ = false;
        return shell_(NIM_DELETE, data) != FALSE;
    }
    return false;
}

void Win32NotificationArea::TaskbarCreated() {
    if (!wanted_) {
        return;
    }
    NOTIFYICONDATAW data = ToShell(wantedRecord_);
    shell_(NIM_ADD, data);
}

}  // namespace wakelatch::win32ui
