#include "platform/windows/NamedMutexInstanceGuard.h"

#include <utility>

#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

namespace wakelatch::platform {

unsigned ActivateMessage() {
    return RegisterWindowMessageW(kActivateMessageName);
}

NamedMutexInstanceGuard::NamedMutexInstanceGuard(std::string mutexName, std::string title)
    : mutexName_(std::move(mutexName)), title_(std::move(title)) {}

bool NamedMutexInstanceGuard::PreviousInstanceRunning() {
    if (mutex_) {
        return false;  // this copy is the one already
    }
    win32::UniqueHandle mutex(CreateMutexW(nullptr, FALSE, utf::Widen(mutexName_).c_str()));
    const DWORD error = GetLastError();
    if (!mutex) {
        // Another user's copy in this session made it with rights that exclude us: it runs all the same.
        return error == ERROR_ACCESS_DENIED;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        return true;
    }
    mutex_ = std::move(mutex);
    return false;
}

void NamedMutexInstanceGuard::ActivateWindow(const std::string& title) {
    const HWND window = FindWindowW(nullptr, utf::Widen(title).c_str());
    if (window == nullptr) {
        return;
    }
    // Only the foreground process may hand the foreground on; this copy, just started by the user, is it.
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    AllowSetForegroundWindow(processId);
    PostMessageW(window, ActivateMessage(), 0, 0);
}

}  // namespace wakelatch::platform
