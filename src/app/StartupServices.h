#pragma once

#include <functional>

#include "controls/MessageBox.h"
#include "platform/InstanceGuard.h"
#include "platform/ProgramLocation.h"
#include "platform/SystemFolders.h"
#include "settings/ProgramState.h"
#include "settings/SettingsStore.h"

namespace wakelatch {

// The support files written at start: the shell link type library and the help file of the language.
class SupportFiles {
  public:
    virtual ~SupportFiles() = default;
    virtual void InstallTypeLibrary(ProgramState& state) = 0;
    virtual void ExtractHelpFile(ProgramState& state) = 0;
};

// The windows start-up loads, shows and unloads.
class StartupWindows {
  public:
    virtual ~StartupWindows() = default;
    virtual void ShowSplash() = 0;
    virtual void LoadTrayMenu() = 0;
    virtual void LoadMainWindow() = 0;
    virtual void UnloadSplash() = 0;
    virtual void ShowMainWindow() = 0;
    // Unloads the main window as any exit does (placement and autostart entry written).
    virtual void UnloadMainWindow() = 0;
    // Hides the program into the notification area (the main window's TRAY_ACTION).
    virtual void TrayAction() = 0;
    // Whether an icon can live in the notification area now. Without one, a start in the tray would
    // leave the user no way to reach the program, so the main window is shown instead.
    virtual bool TrayAvailable() = 0;
};

struct StartupServices {
    platform::InstanceGuard& instance;
    platform::SystemFolders& folders;
    SettingsStore& settings;
    platform::ProgramLocation& location;
    controls::MessageBoxService& messages;
    SupportFiles& supportFiles;
    StartupWindows& windows;
    // True once the program has been asked to end (a signal); start-up then abandons its remaining steps.
    std::function<bool()> shutdownRequested = [] { return false; };
};

}  // namespace wakelatch
