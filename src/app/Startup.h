#pragma once

#include "app/StartupServices.h"

namespace wakelatch {

namespace sml_OS_MINITOOLS {
// True when another copy runs: it has been asked to come to the front, and this copy must end.
bool EnsureSingleInstance(platform::InstanceGuard& instance);
}  // namespace sml_OS_MINITOOLS

namespace pim_MAIN {

inline constexpr const char* kProgramVersion = "1.0.0";
// The title a second copy gives itself so that it cannot find its own window.
inline constexpr const char* kSecondCopyTitle = "#XYZ";

// Fills WindowsDirectory (unchanged when the platform has none) and LastResult (its length).
void ReadWindowsDirectory(ProgramState& state, platform::SystemFolders& folders);

// True when the program was started from a network path; the user has then been told, in the language
// of the settings (no message for a language other than German or English).
bool CheckNetworkStart(const ProgramState& state, platform::ProgramLocation& location,
                       controls::MessageBoxService& messages);

struct StartupOutcome {
    bool keepRunning = true;  // false: end the program now with exitCode
    int exitCode = 0;
};

// Exit status of a copy that refused to run from a network path.
inline constexpr int kRefusedExitCode = 1;

// The start-up sequence. Each step that fails is abandoned and the next one runs; nothing is shown
// except the network-path refusal. Once services.shutdownRequested answers true (looked at between
// steps) the remaining steps are skipped, a loaded main window is unloaded as at any exit, and the
// outcome is to end with status 0 (a copy that refuses to run from a network path keeps its own status,
// also when a signal closes the refusal).
StartupOutcome Main(ProgramState& state, StartupServices& services);

}  // namespace pim_MAIN
}  // namespace wakelatch
