#include "platform/linux/XdgSystemFolders.h"

#include "platform/linux/XdgPaths.h"

namespace wakelatch::platform {

std::string XdgSystemFolders::WindowsDirectory() {
    const std::string folder = linux_xdg::DataHome() + "/Wakelatch";
    return linux_xdg::MakePrivateDirectory(folder) ? folder : std::string();
}

std::string XdgSystemFolders::TempDirectoryFor(const std::string& windowsDirectory) {
    const std::string folder = windowsDirectory + "/TEMP";
    // Without a Windows folder the path is relative, as on the original platform; nothing is created.
    if (!windowsDirectory.empty()) {
        linux_xdg::MakePrivateDirectory(folder);
    }
    return folder;
}

}  // namespace wakelatch::platform
