#include "platform/Platform.h"
#include "platform/windows/RegistrySettingsStore.h"
#include "platform/windows/RunKeyAutostart.h"
#include "platform/windows/WindowsDrivePlatform.h"
#include "platform/windows/WindowsFileSystem.h"
#include "platform/windows/WindowsProgramLocation.h"
#include "platform/windows/WindowsPrograms.h"
#include "platform/windows/WindowsSystemFolders.h"

namespace wakelatch::platform {

Platform CreatePlatform(Awaiter& awaiter) {
    Platform platform;
    platform.settings = std::make_unique<RegistrySettingsStore>();
    auto location = std::make_unique<WindowsProgramLocation>();
    platform.folders = std::make_unique<WindowsSystemFolders>(location->ProgramFolder());
    platform.location = std::move(location);
    platform.autostart = std::make_unique<RunKeyAutostart>();
    platform.drives = std::make_unique<WindowsDrivePlatform>(awaiter);
    platform.files = std::make_unique<WindowsFileSystem>();
    platform.programs = std::make_unique<WindowsPrograms>();
    platform.installsTypeLibrary = true;
    return platform;
}

}  // namespace wakelatch::platform
