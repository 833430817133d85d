#include "platform/linux/XdgSystemFolders.h"

#include "platform/linux/TempLeftovers.h"
#include "platform/linux/XdgPaths.h"

namespace wakelatch::platform {

// Only named here: a copy that refuses to run from a network path must not have written anything.
std::string XdgSystemFolders::WindowsDirectory() {
    return linux_xdg::DataHome() + "/Wakelatch";
}

std::string XdgSystemFolders::TempDirectoryFor(const std::string& windowsDirectory) {
    const std::string folder = windowsDirectory + "/TEMP";
    // Without a Windows folder the path is "/TEMP" alone and nothing is created. Fixed names are written
    // into the temp folder, so it must be the user's own; what a killed copy left there goes.
    if (!windowsDirectory.empty() && linux_xdg::MakePrivateDirectory(windowsDirectory) &&
        linux_xdg::MakeOwnFolder(folder)) {
        linux_files::RemoveTempLeftovers(folder);
    }
    return folder;
}

}  // namespace wakelatch::platform
