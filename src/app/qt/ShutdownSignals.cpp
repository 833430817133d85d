#include "app/qt/ShutdownSignals.h"

#include <QSocketNotifier>

#include "platform/EndRequests.h"
#include "platform/linux/PosixEndRequests.h"

namespace wakelatch {

ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent) {
    platform::InstallEndRequestHandlers();
    const int wakeUp = platform::linux_signals::EndRequestWakeUpFd();
    if (wakeUp < 0) {
        return;
    }
    notifier_ = new QSocketNotifier(wakeUp, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        platform::linux_signals::DrainEndRequestWakeUps();
        emit shutdownRequested();
    });
}

// The handlers stay: a request that comes while the program ends is recorded, not fatal.
ShutdownSignals::~ShutdownSignals() = default;

}  // namespace wakelatch
