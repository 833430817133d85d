#include "platform/windows/WindowsEndRequests.h"

#include <atomic>
#include <mutex>

namespace wakelatch::platform {
namespace {

std::atomic<bool> requested{false};
std::atomic<HANDLE> requestEvent{nullptr};

// How long a console that is closing, or a session that ends, is held for the program's own exit; the
// system ends the process at its own limit anyway.
constexpr DWORD kExitGraceMs = 5000;

BOOL WINAPI OnConsoleEvent(DWORD type) {
    switch (type) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            break;
        default:
            return FALSE;
    }
    requested = true;
    if (const HANDLE event = requestEvent.load()) {
        SetEvent(event);
    }
    // After the last three the process is ended as soon as this handler returns: it is held here while the
    // user-interface thread saves and exits (which ends this thread too).
    if (type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT) {
        Sleep(kExitGraceMs);
    }
    return TRUE;
}

}  // namespace

void InstallEndRequestHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        requestEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    });
}

bool EndRequested() {
    return requested;
}

HANDLE EndRequestEvent() {
    return requestEvent;
}

}  // namespace wakelatch::platform
