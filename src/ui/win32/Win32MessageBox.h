#pragma once

#include "controls/MessageBox.h"

namespace wakelatch::win32ui {

// The program writes line breaks as carriage returns; a message box breaks lines at CR LF.
std::wstring WindowsLineBreaks(const std::string& text);

// MessageBoxW, owned by the program's active window (none while it lives in the tray: then the box
// holds off every window of the program).
class Win32MessageBox final : public controls::MessageBoxService {
  public:
    int Show(const std::string& text, const std::string& title, controls::MessageIcon icon,
             controls::MessageButtons buttons) override;
};

}  // namespace wakelatch::win32ui
