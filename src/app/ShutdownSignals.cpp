#include "app/ShutdownSignals.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>

namespace wakelatch {
namespace {

// Set by the handler, read from any thread; lock-free, so touching it in a handler is safe.
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// The self-pipe: the handler writes to [0], the event loop reads [1]. Both ends never block.
std::array<int, 2> signalPipe = {-1, -1};

void OnSignal(int signalNumber) {
    const int savedErrno = errno;  // the interrupted code may be about to read it
    requested.store(true);
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = write(signalPipe[0], &byte, 1);
    errno = savedErrno;
}

}  // namespace

void ShutdownSignals::Install() {
    if (signalPipe[0] >= 0 ||
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe.data()) != 0) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signalNumber, &action, nullptr);
    }
}

bool ShutdownSignals::Requested() {
    return requested.load();
}

ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent) {
    Install();
    if (signalPipe[1] < 0) {
        return;
    }
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (read(signalPipe[1], &byte, 1) == 1) {
        }
        emit shutdownRequested();
    });
}

// The handlers stay: a signal that comes while the program ends is recorded, not fatal.
ShutdownSignals::~ShutdownSignals() = default;

}  // namespace wakelatch
