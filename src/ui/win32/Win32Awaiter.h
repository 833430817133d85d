#pragma once

#include <functional>

#include "platform/Awaiter.h"
#include "platform/windows/Win32.h"

namespace wakelatch::win32ui {

// Waits on the user-interface thread for work that runs elsewhere while messages are dispatched: clicks,
// tray messages, timer ticks and repaints are handled during the wait, and the thread sleeps in
// MsgWaitForMultipleObjectsEx (no polling) until a message, a Wake() or the limit comes. A WM_QUIT met
// on the way is posted again for the outer loop, and the program counts as ending from then on.
class Win32Awaiter final : public platform::Awaiter {
  public:
    // `ending` tells whether the program is on its way out. `preTranslate` may take a message before it
    // is dispatched (dialog keyboard navigation): true when it handled the message.
    explicit Win32Awaiter(std::function<bool()> ending, std::function<bool(MSG&)> preTranslate = {});
    ~Win32Awaiter() override;
    Win32Awaiter(const Win32Awaiter&) = delete;
    Win32Awaiter& operator=(const Win32Awaiter&) = delete;

    bool Await(const std::function<bool()>& ready, std::chrono::milliseconds limit) override;
    // Any thread.
    void Wake() override;
    bool Ending() const override { return quitSeen_ || (ending_ && ending_()); }

  private:
    void DispatchWaiting();

    std::function<bool()> ending_;
    std::function<bool(MSG&)> preTranslate_;
    HANDLE wakeUp_;
    bool quitSeen_ = false;
};

}  // namespace wakelatch::win32ui
