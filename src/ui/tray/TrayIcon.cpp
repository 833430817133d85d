#include "ui/tray/TrayIcon.h"

namespace wakelatch {

void TrayIcon::Add(bool busy, std::uintptr_t trayMenuWindow) {
    record_.cbSize = tray::kRecordSize;
    record_.hWnd = trayMenuWindow;
    record_.uID = tray::kIconId;
    record_.uFlags = tray::kFlags;
    record_.uCallbackMessage = tray::kMouseMoveMessage;
    record_.hIcon = busy ? TrayPicture::Working : TrayPicture::Idle;
    std::string tip = "Wakelatch";
    tip += '\0';
    tip.resize(tray::kTipLength, ' ');
    record_.szTip = tip;
    area_.Shell_NotifyIcon(tray::kAdd, record_);
}

void TrayIcon::Delete() {
    area_.Shell_NotifyIcon(tray::kDelete, record_);
}

}  // namespace wakelatch
