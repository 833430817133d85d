#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Programs.h"
#include "settings/ProgramState.h"

namespace wakelatch {

namespace sml_OS_MINITOOLS {
// How long start-up waits for the registration tool.
inline constexpr std::chrono::milliseconds kRegistrationWait{1000};

// Runs the Windows folder's registration tool on the type library file and returns its exit code (259
// when it still runs after the wait), or the system's error code when it could not be started. Every
// caller registers (`unregister` false); unregistering is never asked for and starts nothing.
std::int32_t RegisterTypeLibrary(platform::Programs& programs, const ProgramState& state,
                                 const std::string& path, bool unregister);
}  // namespace sml_OS_MINITOOLS

namespace pim_MAIN {
// Writes the shell link type library into the Windows folder's "system" subfolder and registers it,
// only when the file is missing there; an existing file is left alone. No failure is reported other
// than through LastResult.
void InstallTypeLibrary(platform::FileSystem& files, platform::Programs& programs, ProgramState& state);
}  // namespace pim_MAIN

}  // namespace wakelatch
