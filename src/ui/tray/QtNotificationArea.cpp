#include "ui/tray/QtNotificationArea.h"

#include "ui/tray/HourglassPicture.h"

namespace wakelatch::qtui {
namespace {

int MouseEventNumber(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            return tray::kLeftDoubleClick;
        case QSystemTrayIcon::Context:
            return tray::kRightButtonUp;
        case QSystemTrayIcon::Trigger:
            return tray::kLeftButtonUp;
        case QSystemTrayIcon::MiddleClick:
            return tray::kMiddleButtonUp;
        case QSystemTrayIcon::Unknown:
            break;
    }
    return 0;
}

}  // namespace

QtNotificationArea::QtNotificationArea(QObject* parent) : QObject(parent) {
    icon_.setObjectName(QStringLiteral("TrayIconRecord"));
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (mouseHandler_) {
            mouseHandler_(MouseEventNumber(reason));
        }
    });
}

bool QtNotificationArea::Available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtNotificationArea::Shell_NotifyIcon(int message, const TrayIconRecord& record) {
    if (message == tray::kAdd) {
        if (present_ && window_ == record.hWnd && id_ == record.uID) {
            return false;
        }
        picture_ = record.hIcon;
        icon_.setIcon(HourglassIcon(record.hIcon == TrayPicture::Working));
        icon_.setToolTip(QString::fromStdString(record.szTip.substr(0, record.szTip.find('\0'))));
        icon_.show();
        present_ = true;
        window_ = record.hWnd;
        id_ = record.uID;
        return true;
    }
    if (message == tray::kDelete && present_ && window_ == record.hWnd && id_ == record.uID) {
        icon_.hide();
        present_ = false;
        picture_ = TrayPicture::None;
        return true;
    }
    return false;
}

}  // namespace wakelatch::qtui
