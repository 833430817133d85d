#pragma once

#include <QObject>
#include <QSystemTrayIcon>

#include <functional>

#include "ui/tray/TrayIcon.h"

namespace wakelatch::qtui {

// The notification area through QSystemTrayIcon, with the platform's rules: one icon per window and id,
// an add for a present icon and a delete with none present change nothing. The icon's clicks arrive
// as the platform's mouse-event numbers, the right button's as a press and, later, its release.
class QtNotificationArea final : public QObject, public NotificationArea {
    Q_OBJECT

  public:
    explicit QtNotificationArea(QObject* parent = nullptr);

    bool Shell_NotifyIcon(int message, const TrayIconRecord& record) override;
    bool Available() const override;

    void SetMouseHandler(std::function<void(int)> handler) { mouseHandler_ = std::move(handler); }
    bool IconShown() const { return present_; }
    TrayPicture Picture() const { return picture_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Activated(QSystemTrayIcon::ActivationReason reason);
    void Deliver(int eventKind);

    QSystemTrayIcon icon_;
    bool awaitingRightRelease_ = false;  // the right button went down on the icon
    bool present_ = false;
    std::uintptr_t window_ = 0;
    std::uint32_t id_ = 0;
    TrayPicture picture_ = TrayPicture::None;
    std::function<void(int)> mouseHandler_;
};

}  // namespace wakelatch::qtui
