#pragma once

#include <functional>

#include "platform/windows/Win32.h"

namespace wakelatch::win32app {

// F1 in the program's other windows (options, About, message boxes): the main window answers the help
// key itself (WM_HELP). Watches the messages this thread takes from its queue, in every message loop,
// modal ones included, while it lives; one per thread.
class HelpKey final {
  public:
    // `mainWindow` tells the window whose own help handling is left alone (with its children).
    HelpKey(std::function<HWND()> mainWindow, std::function<void()> pressed);
    ~HelpKey();
    HelpKey(const HelpKey&) = delete;
    HelpKey& operator=(const HelpKey&) = delete;

  private:
    static LRESULT CALLBACK OnMessage(int code, WPARAM wParam, LPARAM lParam);

    std::function<HWND()> mainWindow_;
    std::function<void()> pressed_;
    HHOOK hook_ = nullptr;
};

}  // namespace wakelatch::win32app
