#include "platform/windows/WindowsProgramLocation.h"

#include <string_view>
#include <utility>
#include <vector>

#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

namespace wakelatch::platform {
namespace {

std::string ModuleFileName() {
    // A path longer than MAX_PATH (a "\\?\" path) is cut to the buffer: grow it until the whole name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return utf::Narrow(std::wstring(buffer.data(), length));
        }
        if (buffer.size() >= 64 * 1024) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

WindowsProgramLocation::WindowsProgramLocation(std::string programFileOverride)
    : programFileOverride_(std::move(programFileOverride)) {}

std::string WindowsProgramLocation::ProgramFilePath() {
    return programFileOverride_.empty() ? ModuleFileName() : programFileOverride_;
}

std::string WindowsProgramLocation::ProgramFolder() {
    const std::string file = ProgramFilePath();
    const auto split = file.find_last_of("\\/");
    if (split == std::string::npos) {
        return {};
    }
    // "C:\program.exe" lies in "C:\", not in "C:" (the current folder of drive C).
    const bool driveRoot = split > 0 && file[split - 1] == ':';
    return file.substr(0, driveRoot ? split + 1 : split);
}

bool WindowsProgramLocation::StartedFromNetworkPath() {
    const std::string full = ProgramFolder();
    std::string_view folder = full;
    // "\\?\C:\..." is a local path written for long names; "\\?\UNC\server\..." stays a share.
    constexpr std::string_view kLongPrefix = "\\\\?\\";
    constexpr std::string_view kLongShare = "\\\\?\\UNC\\";
    if (folder.substr(0, kLongPrefix.size()) == kLongPrefix &&
        folder.substr(0, kLongShare.size()) != kLongShare) {
        folder.remove_prefix(kLongPrefix.size());
    }
    return !folder.empty() && (folder.front() == '\\' || folder.front() == '/');
}

}  // namespace wakelatch::platform
