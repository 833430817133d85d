#include "ui/win32/Win32Awaiter.h"

namespace wakelatch::win32ui {

Win32Awaiter::Win32Awaiter(std::function<bool()> ending, std::function<bool(MSG&)> preTranslate)
    : ending_(std::move(ending)),
      preTranslate_(std::move(preTranslate)),
      wakeUp_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

Win32Awaiter::~Win32Awaiter() {
    if (wakeUp_ != nullptr) {
        CloseHandle(wakeUp_);
    }
}

bool Win32Awaiter::Await(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (ready()) {
            return true;
        }
        const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (remaining.count() <= 0 || Ending()) {
            return false;
        }
        // Messages already in the queue count too (MWMO_INPUTAVAILABLE), not only new ones.
        MsgWaitForMultipleObjectsEx(1, &wakeUp_, static_cast<DWORD>(remaining.count()) + 1, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
        DispatchWaiting();
    }
}

void Win32Awaiter::DispatchWaiting() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            quitSeen_ = true;
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (preTranslate_ && preTranslate_(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Awaiter::Wake() {
    SetEvent(wakeUp_);
}

}  // namespace wakelatch::win32ui
