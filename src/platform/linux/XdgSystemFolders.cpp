#include "platform/linux/XdgSystemFolders.h"

#include "platform/linux/XdgPaths.h"

namespace wakelatch::platform {

// Only named here: a copy that refuses to run from a network path must not have written anything.
std::string XdgSystemFolders::WindowsDirectory() {
    return linux_xdg::DataHome() + "/Wakelatch";
}

std::string XdgSystemFolders::TempDirectoryFor(const std::string& windowsDirectory) {
    const std::string folder = windowsDirectory + "/TEMP";
    // Without a Windows folder the path is "/TEMP" alone and nothing is created.
    if (!windowsDirectory.empty() && linux_xdg::MakePrivateDirectory(windowsDirectory)) {
        linux_xdg::MakePrivateDirectory(folder);
    }
    return folder;
}

}  // namespace wakelatch::platform
