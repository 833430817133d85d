#pragma once

#include <QObject>

#include <memory>

#include "app/StartupServices.h"
#include "platform/Platform.h"
#include "settings/ProgramState.h"
#include "ui/main/frm_Main.h"
#include "ui/qt/QtMessageBox.h"

namespace wakelatch {

class LocalInstanceGuard;
class MainWindowView;
class ShutdownSignals;

// Owns the program state, the platform services and the windows, and runs the start-up sequence.
class Application final : public QObject,
                          private StartupWindows,
                          private MainWindowHost,
                          private SupportFiles {
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
    void DeleteTrayIcon() override;
    void CloseOtherWindows() override;

    // SupportFiles
    void InstallTypeLibrary(ProgramState& state) override;
    void ExtractHelpFile(ProgramState& state) override;

    void Shutdown();
    void SaveForSessionEnd();

    ProgramState state_;
    platform::Platform platform_;
    qtui::QtMessageBox messages_;
    std::unique_ptr<LocalInstanceGuard> instance_;
    std::unique_ptr<ShutdownSignals> signals_;
    std::unique_ptr<MainWindowView> mainView_;
    std::unique_ptr<frm_Main> mainForm_;
};

}  // namespace wakelatch
