#pragma once

#include <functional>
#include <map>

#include "platform/windows/Win32.h"

#include <shellapi.h>
// As in Win32.h: the macro would rename NotificationArea::Shell_NotifyIcon.
#undef Shell_NotifyIcon

#include "ui/tray/TrayIcon.h"

namespace wakelatch::win32ui {

// The notification area through Shell_NotifyIconW. The record's window receives the icon's mouse events
// as its callback message, the event kind in the low word of lParam (the classic version-0 form). The
// shell itself keeps the rules the logic relies on: an add of a present icon and a delete of an absent
// one fail and change nothing.
class Win32NotificationArea final : public NotificationArea {
  public:
    using ShellCall = std::function<BOOL(DWORD message, NOTIFYICONDATAW& data)>;

    // `shell` stands in for Shell_NotifyIconW in tests.
    explicit Win32NotificationArea(ShellCall shell = {});
    ~Win32NotificationArea() override;
    Win32NotificationArea(const Win32NotificationArea&) = delete;
    Win32NotificationArea& operator=(const Win32NotificationArea&) = delete;

    bool Shell_NotifyIcon(int message, const TrayIconRecord& record) override;
    bool Available() const override;

    // The shell's "TaskbarCreated" message: Explorer started (again) with an empty tray.
    static UINT TaskbarCreatedMessage();
    // Puts the icon back after Explorer restarted, when one was meant to be shown.
    void TaskbarCreated();

  private:
    // The tray picture at the small-icon size of the screen's DPI, loaded once per DPI and kept.
    HICON IconFor(TrayPicture picture);
    NOTIFYICONDATAW ToShell(const TrayIconRecord& record);

    ShellCall shell_;
    std::map<std::pair<TrayPicture, UINT>, HICON> icons_;
    // The icon the user is meant to see: the last add since the last delete that the shell took, or,
    // when none took (no taskbar yet), the first one asked for.
    bool wanted_ = false;
    TrayIconRecord wantedRecord_;
};

}  // namespace wakelatch::win32ui
