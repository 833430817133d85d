#pragma once

#include <memory>

#include "platform/AutostartEntries.h"
#include "platform/Awaiter.h"
#include "platform/DrivePlatform.h"
#include "platform/FileSystem.h"
#include "platform/InstanceGuard.h"
#include "platform/ProgramLocation.h"
#include "platform/Programs.h"
#include "platform/SystemFolders.h"
#include "settings/SettingsStore.h"

namespace wakelatch::platform {

// The operating-system services of one platform. The build links exactly one implementation of
// CreatePlatform (platform/linux or platform/windows). Calls that may wait for a drive await through
// `awaiter`, which must outlive the platform.
struct Platform {
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<SystemFolders> folders;
    std::unique_ptr<ProgramLocation> location;
    std::unique_ptr<AutostartEntries> autostart;
    std::unique_ptr<DrivePlatform> drives;
    std::unique_ptr<FileSystem> files;
    std::unique_ptr<Programs> programs;
    // Whether start-up writes and registers the shell link type library (Windows); nothing else on the
    // platform would use it.
    bool installsTypeLibrary = false;
};

Platform CreatePlatform(Awaiter& awaiter);

}  // namespace wakelatch::platform
