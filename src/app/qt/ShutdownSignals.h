#pragma once

#include <QObject>

class QSocketNotifier;

namespace wakelatch {

// Brings the end requests (platform/EndRequests.h) into the event loop: each one that arrives while the
// loop runs is delivered as shutdownRequested. Start-up, which runs before the loop, asks
// platform::EndRequested between its steps instead.
class ShutdownSignals final : public QObject {
    Q_OBJECT

  public:
    // Delivers every request that arrives from now on (and one not yet delivered) as shutdownRequested on
    // this object's thread. Installs the handlers when main() has not.
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

  signals:
    void shutdownRequested();

  private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace wakelatch
