#pragma once

#include <QObject>

class QSocketNotifier;

namespace wakelatch {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop, so that the program shuts down as
// its exit button would (placement saved, autostart entry written) instead of dying mid-way.
class ShutdownSignals final : public QObject {
    Q_OBJECT

  public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

  signals:
    void shutdownRequested();

  private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace wakelatch
