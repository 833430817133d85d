#include "ui/qt/QtAwaiter.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

namespace wakelatch::qtui {

QtAwaiter::QtAwaiter(std::function<bool()> ending)
    : ending_(std::move(ending)), dispatcher_(QAbstractEventDispatcher::instance(QThread::currentThread())) {}

bool QtAwaiter::Await(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
    const QDeadlineTimer deadline(limit, Qt::PreciseTimer);
    // Its expiry is an event: the dispatcher's sleep ends in time even when nothing else happens. It is
    // armed anew whenever it has fired early or an event came first, for what is left of the limit.
    QTimer limitReached;
    limitReached.setSingleShot(true);
    limitReached.setTimerType(Qt::PreciseTimer);
    for (;;) {
        if (ready()) {
            return true;
        }
        const qint64 remaining = deadline.remainingTime();
        if (remaining <= 0 || Ending()) {
            return false;
        }
        if (!limitReached.isActive()) {
            limitReached.start(static_cast<int>(remaining));
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

void QtAwaiter::Wake() {
    // Thread-safe: ends the dispatcher's sleep so that the waiting loop looks at its work again.
    if (dispatcher_ != nullptr) {
        dispatcher_->wakeUp();
    }
}

}  // namespace wakelatch::qtui
