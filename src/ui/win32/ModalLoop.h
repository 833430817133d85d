#pragma once

#include <functional>
#include <vector>

#include "platform/windows/Win32.h"

namespace wakelatch::win32ui {

// Holds off input to the rest of the program while a modal window is open: its owner, or, without one,
// every top-level window of this thread (the main window, even hidden in the tray). Timers and posted
// messages still reach them. Enabled again by End() or when this goes.
class DisabledWindows final {
  public:
    DisabledWindows(HWND modal, HWND owner);
    ~DisabledWindows() { End(); }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    // Before the modal window hides, so that Windows hands the activation back to the owner.
    void End();

  private:
    std::vector<HWND> windows_;
};

// Dispatches the thread's messages until `closed`; Tab, Escape and Enter go through IsDialogMessageW to
// `window`. A WM_QUIT ends the loop and is posted again for the outer loop.
void RunModalLoop(HWND window, const std::function<bool()>& closed);

}  // namespace wakelatch::win32ui
