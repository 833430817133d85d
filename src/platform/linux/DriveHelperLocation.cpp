#include "platform/linux/DriveHelperLocation.h"

#include <unistd.h>

#include <vector>

// WAKELATCH_HELPER_FROM_PROGRAM: the helper's installed folder relative to the program's (set by the
// build from the install folders, e.g. "../libexec/wakelatch").

namespace wakelatch::platform::linux_helper {
namespace {

constexpr const char* kHelperName = "wakelatch-drive-helper";

bool Executable(const std::string& path) {
    return access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string DriveHelperFor(const std::string& programFile, const std::string& installedFolder) {
    const std::string programFolder = programFile.substr(0, programFile.rfind('/') + 1);
    const std::string beside = programFolder + kHelperName;
    if (Executable(beside)) {
        return beside;
    }
    const std::string installed = programFolder + installedFolder + "/" + kHelperName;
    return Executable(installed) ? installed : beside;
}

std::string DriveHelperOfThisProgram() {
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return {};
    }
    return DriveHelperFor(std::string(path.data(), static_cast<std::size_t>(length)),
                          WAKELATCH_HELPER_FROM_PROGRAM);
}

}  // namespace wakelatch::platform::linux_helper
