#include "ui/tray/QtNotificationArea.h"

#include <QGuiApplication>
#include <QMouseEvent>

#include "ui/tray/HourglassPicture.h"

namespace wakelatch::qtui {
namespace {

int MouseEventNumber(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            return tray::kLeftDoubleClick;
        case QSystemTrayIcon::Context:
            return tray::kRightButtonUp;  // a press under X: Activated() waits for its release
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
    connect(&icon_, &QSystemTrayIcon::activated, this, &QtNotificationArea::Activated);
}

void QtNotificationArea::Activated(QSystemTrayIcon::ActivationReason reason) {
    // An icon embedded in an X tray reports the right button when it is pressed. The release belongs to
    // the icon's window (the press grabbed the pointer) and is watched for, so that the event comes as
    // a release. A tray host that asks for the menu by itself has no button held any more.
    if (reason == QSystemTrayIcon::Context && (QGuiApplication::mouseButtons() & Qt::RightButton)) {
        if (!awaitingRightRelease_) {
            awaitingRightRelease_ = true;
            qApp->installEventFilter(this);
        }
        Deliver(tray::kRightButtonDown);
        return;
    }
    Deliver(MouseEventNumber(reason));
}

bool QtNotificationArea::eventFilter(QObject* watched, QEvent* event) {
    if (awaitingRightRelease_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        awaitingRightRelease_ = false;
        qApp->removeEventFilter(this);
        Deliver(tray::kRightButtonUp);
    }
    return QObject::eventFilter(watched, event);
}

void QtNotificationArea::Deliver(int eventKind) {
    if (mouseHandler_) {
        mouseHandler_(eventKind);
    }
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
