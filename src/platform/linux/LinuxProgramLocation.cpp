#include "platform/linux/LinuxProgramLocation.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "platform/linux/AtomicFile.h"
#include "platform/linux/MountTable.h"

namespace wakelatch::platform {
namespace {

std::string ReadSelfExe() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return {};
    }
    std::string path(buffer.data(), static_cast<std::size_t>(length));
    // A program file replaced while running is reported with this suffix.
    constexpr std::string_view kDeleted = " (deleted)";
    if (path.size() > kDeleted.size() &&
        path.compare(path.size() - kDeleted.size(), kDeleted.size(), kDeleted) == 0) {
        path.resize(path.size() - kDeleted.size());
    }
    return path;
}

}  // namespace

LinuxProgramLocation::LinuxProgramLocation(std::string mountInfoPath, std::string programFileOverride)
    : mountInfoPath_(std::move(mountInfoPath)), programFileOverride_(std::move(programFileOverride)) {}

std::string LinuxProgramLocation::ProgramFilePath() {
    return programFileOverride_.empty() ? ReadSelfExe() : programFileOverride_;
}

std::string LinuxProgramLocation::ProgramFolder() {
    const std::string file = ProgramFilePath();
    const auto slash = file.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 0 ? "/" : file.substr(0, slash);
}

bool LinuxProgramLocation::StartedFromNetworkPath() {
    const std::string folder = ProgramFolder();
    if (folder.empty()) {
        return false;
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0) {
        const unsigned deviceMajor = major(info.st_dev);
        const unsigned deviceMinor = minor(info.st_dev);
        return FolderIsOnNetworkFilesystem(linux_files::ReadWholeFile(mountInfoPath_), folder, &deviceMajor,
                                           &deviceMinor);
    }
    return FolderIsOnNetworkFilesystem(linux_files::ReadWholeFile(mountInfoPath_), folder, nullptr, nullptr);
}

bool FolderIsOnNetworkFilesystem(const std::string& mountInfoText, const std::string& folder,
                                 const unsigned* deviceMajor, const unsigned* deviceMinor) {
    const std::vector<linux_mounts::MountEntry> mounts = linux_mounts::ParseMountInfo(mountInfoText);
    const linux_mounts::MountEntry* mount = nullptr;
    if (deviceMajor != nullptr && deviceMinor != nullptr) {
        mount = linux_mounts::FindMountOfDevice(mounts, *deviceMajor, *deviceMinor, folder);
    }
    if (mount == nullptr) {
        mount = linux_mounts::FindMountContaining(mounts, folder);
    }
    return mount != nullptr && linux_mounts::IsNetworkFilesystem(mount->fsType);
}

}  // namespace wakelatch::platform
