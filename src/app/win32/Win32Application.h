#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/PlatformSupportFiles.h"
#include "app/StartupServices.h"
#include "platform/Platform.h"
#include "platform/windows/NamedMutexInstanceGuard.h"
#include "platform/windows/Win32.h"
#include "settings/ProgramState.h"
#include "ui/main/TrayEntries.h"
#include "ui/main/frm_Main.h"
#include "ui/options/frm_Options.h"
#include "ui/tray/TrayIcon.h"
#include "ui/tray/frm_TrayMenu.h"
#include "ui/win32/Win32Awaiter.h"
#include "ui/win32/Win32MessageBox.h"

namespace wakelatch {

namespace win32ui {
class AboutWindow;
class MainWindowView;
class OptionsDialogView;
class SplashWindow;
class TrayMenuView;
class Win32NotificationArea;
}  // namespace win32ui

namespace win32app {
class HelpKey;
}

// Owns the program state, the platform services and the windows, runs the start-up sequence and then the
// message loop until the main window has unloaded.
class Win32Application final : private StartupWindows, private MainWindowHost, private OptionsHost {
  public:
    Win32Application();
    ~Win32Application() override;
    Win32Application(const Win32Application&) = delete;
    Win32Application& operator=(const Win32Application&) = delete;

    // Runs start-up and, unless it ended the program, the message loop. Returns the exit status.
    int Run();

  private:
    // StartupWindows
    void ShowSplash() override;
    void LoadTrayMenu() override;
    void LoadMainWindow() override;
    void UnloadSplash() override;
    void ShowMainWindow() override;
    void TrayAction() override;
    bool TrayAvailable() override;

    // MainWindowHost
    void UnloadTrayMenu() override;
    std::uintptr_t TrayMenuWindow() override;
    void CloseOtherWindows() override;
    void UnloadMainWindow() override;
    void ShowOptionsDialog() override;
    void ShowAbout() override;  // from the main menu: owned by the main window
    void SetApplicationHelpFile(const std::string& fileName) override;
    void PressHelpKey() override;

    // OptionsHost
    void CloseDialog() override;
    void SetTrayCheckMarks(bool autoStart, bool autoTray) override;
    void ExtractHelpFile() override;
    void SetMainRefreshPending() override;

    void ShowAboutWindow(HWND owner);
    // Messages of the main window and the tray-menu window that concern the whole program.
    std::optional<LRESULT> OnProgramMessage(UINT message, WPARAM wParam);
    void BringToFront();
    // Unloads the main window as Exit does; the message loop then ends.
    void Shutdown();
    bool Ending() const;
    bool TranslateDialogMessage(MSG& message);
    // Thread-pool callback of the end request's wait.
    static void CALLBACK PostClose(PVOID window, BOOLEAN timedOut);

    ProgramState state_;
    // Drive calls are awaited with messages dispatched, until the program is on its way out. Declared
    // before the platform, which awaits through it.
    win32ui::Win32Awaiter awaiter_;
    platform::Platform platform_;
    PlatformSupportFiles supportFiles_{platform_};
    win32ui::Win32MessageBox messages_;
    platform::NamedMutexInstanceGuard instance_;
    std::unique_ptr<win32ui::Win32NotificationArea> notificationArea_;
    std::unique_ptr<TrayIcon> trayIcon_;
    std::unique_ptr<win32ui::MainWindowView> mainView_;
    std::unique_ptr<frm_Main> mainForm_;
    TrayEntries trayEntries_{mainForm_, [this] { ShowAboutWindow(nullptr); }};
    std::unique_ptr<win32ui::TrayMenuView> trayMenuView_;
    std::unique_ptr<frm_TrayMenu> trayMenu_;
    std::unique_ptr<win32ui::SplashWindow> splash_;
    std::unique_ptr<win32app::HelpKey> helpKey_;
    win32ui::OptionsDialogView* optionsView_ = nullptr;  // while the options dialog is open
    win32ui::AboutWindow* aboutWindow_ = nullptr;        // while the About window is open
    std::string helpFile_;  // the application's help file, once the help command has chosen one
    const UINT activateMessage_;
    const UINT taskbarCreatedMessage_;
    HANDLE endWait_ = nullptr;
};

}  // namespace wakelatch
