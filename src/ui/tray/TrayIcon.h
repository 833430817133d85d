#pragma once

#include <cstdint>
#include <string>

namespace wakelatch {

// The pictures an icon record can name.
enum class TrayPicture { None = 0, Idle = 1, Working = 2 };

// The one notification-icon record of the program. Every add and every delete passes this same record,
// so a delete names the icon that the last add put up.
struct TrayIconRecord {
    std::uint32_t cbSize = 0;
    std::uintptr_t hWnd = 0;  // the window that receives the icon's mouse events (the tray-menu window)
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    TrayPicture hIcon = TrayPicture::None;
    std::string szTip;  // 64 characters: the tip, a NUL, blanks
};

namespace tray {
inline constexpr int kAdd = 0;
inline constexpr int kDelete = 2;
inline constexpr std::uint32_t kRecordSize = 88;
inline constexpr std::uint32_t kIconId = 2;
inline constexpr std::uint32_t kFlags = 7;  // callback message, icon and tip are valid
inline constexpr std::uint32_t kMouseMoveMessage = 0x200;
inline constexpr std::size_t kTipLength = 64;
// Mouse events on the icon, as the platform numbers them.
inline constexpr int kLeftDoubleClick = 0x203;
inline constexpr int kRightButtonDown = 0x204;
inline constexpr int kRightButtonUp = 0x205;
inline constexpr int kLeftButtonUp = 0x202;
inline constexpr int kMiddleButtonUp = 0x208;
}  // namespace tray

// The notification area. An add of an icon that is present (same window and id) and a delete of one that
// is not both fail silently; an add never changes a present icon.
class NotificationArea {
  public:
    virtual ~NotificationArea() = default;
    virtual bool Shell_NotifyIcon(int message, const TrayIconRecord& record) = 0;
    // Whether an icon can be shown at all (a tray host runs).
    virtual bool Available() const = 0;
};

// The tray icon as the program uses it: adds are TRAY_ACTION's, deletes are each site's own.
class TrayIcon {
  public:
    explicit TrayIcon(NotificationArea& area) : area_(area) {}

    // Fills the record for the given picture and window and adds the icon; never modifies or deletes.
    void Add(bool busy, std::uintptr_t trayMenuWindow);
    void Delete();
    bool Available() const { return area_.Available(); }
    const TrayIconRecord& Record() const { return record_; }

  private:
    NotificationArea& area_;
    TrayIconRecord record_;
};

}  // namespace wakelatch
