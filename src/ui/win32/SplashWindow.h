#pragma once

#include <memory>

#include "platform/FileSystem.h"
#include "platform/windows/Win32.h"
#include "settings/ProgramState.h"

namespace wakelatch::win32ui {

// frm_Splash: the picture-shaped window shown while the program loads; it has no mouse handling.
class SplashWindow final {
  public:
    SplashWindow();
    ~SplashWindow();  // unloads the window
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;

    // Writes the splash picture to the temp folder, takes its shape, sets the version and deletes the
    // file again.
    void Form_Load(ProgramState& state, platform::FileSystem& files);
    void CentreOnScreen();
    // Shows the window without waiting and paints it at once.
    void ShowAndPaint();
    HWND Hwnd() const;
    // The window of a documented control name; null when there is none (for tests).
    HWND ControlNamed(const char* name) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace wakelatch::win32ui
