#include "platform/windows/WindowsSystemFolders.h"

#include <utility>

#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

#include <shlobj.h>

namespace wakelatch::platform {
namespace {

constexpr const wchar_t* kOwnFolderName = L"Wakelatch";

bool IsPlainFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

// A folder of our own at `path`: what else stands there (a file, a junction or link to somewhere else) is
// renamed out of the way, not written through; it may be the user's, so it is not deleted.
bool MakeOwnFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (IsPlainFolder(attributes)) {
        return true;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        const std::wstring aside = path + L".moved-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                   std::to_wstring(GetTickCount64());
        if (!MoveFileExW(path.c_str(), aside.c_str(), 0)) {
            return false;
        }
    }
    CreateDirectoryW(path.c_str(), nullptr);
    return IsPlainFolder(GetFileAttributesW(path.c_str()));
}

// Whether the user may create files in the folder: a uniquely named file created and gone at once.
bool CanCreateFilesIn(const std::wstring& folder) {
    if (folder.empty()) {
        return false;
    }
    const std::wstring probe = folder + (folder.back() == L'\\' ? L"" : L"\\") + L".wakelatch-probe-" +
                               std::to_wstring(GetCurrentProcessId()) + L"-" +
                               std::to_wstring(GetTickCount64());
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

std::wstring LocalAppData() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &path))) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

}  // namespace

WindowsSystemFolders::WindowsSystemFolders(std::string programFolder)
    : programFolder_(std::move(programFolder)) {}

std::string WindowsSystemFolders::WindowsDirectory() {
    char buffer[256] = {};
    const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    // A longer folder does not fit: the call then returns the size it would need, and nothing usable.
    if (length == 0 || length >= sizeof buffer) {
        return {};
    }
    return utf::FromAnsi(std::string(buffer, length));
}

std::string WindowsSystemFolders::TempDirectoryFor(const std::string& /*windowsDirectory*/) {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) {
        return {};
    }
    std::wstring folder(buffer, length);
    if (folder.back() != L'\\') {
        folder += L'\\';
    }
    folder += kOwnFolderName;
    MakeOwnFolder(folder);
    return utf::Narrow(folder);
}

std::string WindowsSystemFolders::HelpParentFolder() {
    if (CanCreateFilesIn(utf::Widen(programFolder_))) {
        return programFolder_;
    }
    const std::wstring base = LocalAppData();
    if (base.empty()) {
        return programFolder_;  // nowhere better: the help step fails there silently
    }
    const std::wstring folder = base + L"\\" + kOwnFolderName;
    CreateDirectoryW(folder.c_str(), nullptr);
    return utf::Narrow(folder);
}

}  // namespace wakelatch::platform
