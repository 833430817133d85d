#include "platform/Platform.h"
#include "platform/linux/DesktopAutostart.h"
#include "platform/linux/IniSettingsStore.h"
#include "platform/linux/LinuxDrivePlatform.h"
#include "platform/linux/LinuxFileSystem.h"
#include "platform/linux/LinuxProgramLocation.h"
#include "platform/linux/LinuxPrograms.h"
#include "platform/linux/XdgSystemFolders.h"

namespace wakelatch::platform {

Platform CreatePlatform(Awaiter& awaiter) {
    Platform platform;
    platform.settings = std::make_unique<IniSettingsStore>();
    platform.folders = std::make_unique<XdgSystemFolders>();
    platform.location = std::make_unique<LinuxProgramLocation>();
    platform.autostart = std::make_unique<DesktopAutostart>();
    auto drives = std::make_unique<LinuxDrivePlatform>(LinuxDrivePaths{}, awaiter);
    drives->StartHelper();  // its start overlaps the splash instead of delaying the first list
    platform.drives = std::move(drives);
    platform.files = std::make_unique<LinuxFileSystem>();
    platform.programs = std::make_unique<LinuxPrograms>();
    return platform;
}

}  // namespace wakelatch::platform
