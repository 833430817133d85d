#pragma once

#include <QObject>

#include <memory>

#include "app/PlatformSupportFiles.h"
#include "app/StartupServices.h"
#include "platform/Platform.h"
#include "settings/ProgramState.h"
#include "ui/main/TrayEntries.h"
#include "ui/main/frm_Main.h"
#include "ui/options/frm_Options.h"
#include "ui/qt/QtAwaiter.h"
#include "ui/qt/QtMessageBox.h"
#include "ui/qt/QtTranslations.h"

namespace wakelatch {

class LocalInstanceGuard;
class MainWindowView;
class ShutdownSignals;
class OptionsDialogView;
class SplashWindow;
class TrayMenuView;
namespace qtui {
class HelpViewer;
class QtNotificationArea;
}  // namespace qtui

// Owns the program state, the platform services and the windows, and runs the start-up sequence.
class Application final : public QObject,
                          private StartupWindows,
                          private MainWindowHost,
                          private OptionsHost {
    Q_OBJECT

  public:
    Application();
    ~Application() override;

    // Runs start-up and, unless it ended the program, the event loop. Returns the exit status.
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

    // OptionsHost: what the open options dialog asks for.
    void CloseDialog() override;
    void SetTrayCheckMarks(bool autoStart, bool autoTray) override;
    void ExtractHelpFile() override;
    void SetMainRefreshPending() override;

    void ShowAboutWindow(QWidget* owner);
    void Shutdown();
    void SaveForSessionEnd();
    bool Ending() const;

    ProgramState state_;
    // Drive calls are awaited with the event loop turning, until the program is on its way out. Declared
    // before the platform, which awaits through it.
    qtui::QtAwaiter awaiter_;
    platform::Platform platform_;
    PlatformSupportFiles supportFiles_{platform_};
    qtui::QtMessageBox messages_;
    qtui::QtTranslations translations_;
    std::unique_ptr<LocalInstanceGuard> instance_;
    std::unique_ptr<ShutdownSignals> signals_;
    std::unique_ptr<qtui::QtNotificationArea> notificationArea_;
    std::unique_ptr<TrayIcon> trayIcon_;
    std::unique_ptr<MainWindowView> mainView_;
    std::unique_ptr<frm_Main> mainForm_;
    TrayEntries trayEntries_{mainForm_, [this] { ShowAboutWindow(nullptr); }};
    std::unique_ptr<TrayMenuView> trayMenuView_;
    std::unique_ptr<frm_TrayMenu> trayMenu_;
    OptionsDialogView* optionsView_ = nullptr;  // while the options dialog is open
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<qtui::HelpViewer> helpViewer_;
    std::string helpFile_;  // the application's help file, once the help command has chosen one
    bool running_ = false;  // start-up is over and the event loop runs (or is about to)

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace wakelatch
