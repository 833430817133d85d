#pragma once

#include <string>
#include <vector>

#include "fakes/CallLog.h"
#include "ui/tray/TrayIcon.h"

namespace wakelatch::testing {

// The notification area as the platform behaves: an add for a present icon and a delete with none
// present fail and change nothing. Records what was asked ("add idle", "delete", ...) and what shows.
class FakeNotificationArea final : public NotificationArea {
  public:
    bool Shell_NotifyIcon(int message, const TrayIconRecord& record) override {
        if (message == tray::kAdd) {
            Log(record.hIcon == TrayPicture::Working ? "add working" : "add idle");
            if (present) {
                return false;
            }
            present = true;
            shown = record.hIcon;
            tip = record.szTip;
            return true;
        }
        Log("delete");
        const bool wasPresent = present;
        present = false;
        return wasPresent;
    }
    bool Available() const override { return available; }
    void Log(const std::string& entry) {
        calls.push_back(entry);
        Note(sharedLog, entry);
    }

    CallLog calls;
    CallLog* sharedLog = nullptr;  // also written here, to see the order among other calls
    bool present = false;
    TrayPicture shown = TrayPicture::None;
    std::string tip;
    bool available = true;
};

}  // namespace wakelatch::testing
