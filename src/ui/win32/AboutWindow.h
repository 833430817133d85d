#pragma once

#include <memory>

#include "controls/MessageBox.h"
#include "platform/FileSystem.h"
#include "platform/Programs.h"
#include "platform/windows/Win32.h"
#include "settings/ProgramState.h"

namespace wakelatch::win32ui {

// frm_About: the picture-shaped information window, without title bar, moved by its background and
// texts; "OK" closes it, "&System-Info..." starts the system information program.
class AboutWindow final {
  public:
    // `owner` is the main window when it opens from the main window's menu, null from the tray menu.
    AboutWindow(ProgramState& state, platform::FileSystem& files, platform::Programs& programs,
                controls::MessageBoxService& messages, HWND owner = nullptr);
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    void Form_Load();
    // Shows the window modally and returns when it has closed.
    void Exec();
    // Closes it (the program is ending).
    void Close();
    HWND Hwnd() const;
    HWND ControlNamed(const char* name) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace wakelatch::win32ui
