#include "platform/linux/PosixEndRequests.h"

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>

#include "platform/EndRequests.h"

// SIGTERM, SIGINT and SIGHUP. The handler only records the request (a sticky flag) and wakes the event
// loop (a byte on a self-pipe): nothing but async-signal-safe state is touched in it.
namespace wakelatch::platform {
namespace {

// Set by the handler, read from any thread; lock-free, so touching it in a handler is safe.
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// The self-pipe: the handler writes to [0], the event loop reads [1]. Both ends never block.
std::array<int, 2> wakeUpPipe = {-1, -1};

void OnSignal(int signalNumber) {
    const int savedErrno = errno;  // the interrupted code may be about to read it
    requested.store(true);
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = write(wakeUpPipe[0], &byte, 1);
    errno = savedErrno;
}

}  // namespace

void InstallEndRequestHandlers() {
    if (wakeUpPipe[0] >= 0 ||
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wakeUpPipe.data()) != 0) {
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

bool EndRequested() {
    return requested.load();
}

int linux_signals::EndRequestWakeUpFd() {
    return wakeUpPipe[1];
}

void linux_signals::DrainEndRequestWakeUps() {
    char byte = 0;
    while (read(wakeUpPipe[1], &byte, 1) == 1) {
    }
}

}  // namespace wakelatch::platform
