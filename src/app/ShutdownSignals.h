#pragma once

#include <QObject>

class QSocketNotifier;

namespace wakelatch {

// SIGTERM, SIGINT and SIGHUP end the program as its exit button would (placement saved, autostart entry
// written) instead of killing it mid-way. The handlers are installed first thing in main(), before any
// window exists, and stay for the life of the process: a signal is never lost and never kills the
// program outright. The handler only records the request (a sticky flag) and wakes the event loop (a
// byte on a self-pipe); start-up polls the flag between its steps, the running loop gets the Qt signal.
class ShutdownSignals final : public QObject {
    Q_OBJECT

  public:
    // Installs the handlers once per process; later calls do nothing. Async-signal-safe state only.
    static void Install();
    // True once any of the signals has arrived. Thread-safe; never reset.
    static bool Requested();

    // Delivers every signal that arrives from now on (and one still unread in the pipe) as
    // shutdownRequested on this object's thread. Installs the handlers when main() has not.
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

  signals:
    void shutdownRequested();

  private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace wakelatch
