#include "platform/windows/WindowsFileSystem.h"

#include <atomic>
#include <string>

#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

namespace wakelatch::platform {
namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A name beside the target that no one else picks: the process id and a count, and a retry on a clash.
std::wstring TemporaryName(const std::wstring& path, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    std::size_t split = path.size();
    while (split > 0 && !IsSeparator(path[split - 1])) {
        --split;
    }
    return path.substr(0, split) + L"." + path.substr(split) + L"." + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(counter++) + L"-" + std::to_wstring(attempt) + L".tmp";
}

// Creates a file that did not exist and writes the bytes into it. False when anything was at the path or
// the bytes could not all be written; a file it created is then removed.
bool WriteNewFile(const std::wstring& path, const unsigned char* data, std::size_t size) {
    // CREATE_NEW fails on anything at the path, a reparse point (even a dangling one) included.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool written = true;
    std::size_t done = 0;
    while (written && done < size) {
        constexpr std::size_t kChunk = 1 << 20;
        const auto part = static_cast<DWORD>(size - done < kChunk ? size - done : kChunk);
        DWORD wrote = 0;
        written = WriteFile(file, data + done, part, &wrote, nullptr) != 0 && wrote == part;
        done += wrote;
    }
    written = written && FlushFileBuffers(file) != 0;
    written = CloseHandle(file) != 0 && written;
    if (!written) {
        DeleteFileW(path.c_str());
    }
    return written;
}

}  // namespace

bool WindowsFileSystem::Exists(const std::string& path) {
    return GetFileAttributesW(utf::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WindowsFileSystem::MakeDirectories(const std::string& folder) {
    std::wstring path = utf::Widen(folder);
    while (path.size() > 1 && IsSeparator(path.back())) {
        path.pop_back();
    }
    if (path.empty()) {
        return false;
    }
    // Each folder on the way, from the top down. The steps that name no folder (a drive "C:", a server
    // "\\server", the "\\?" prefix) fail harmlessly: only the folder asked for decides.
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (IsSeparator(path[i]) && !IsSeparator(path[i - 1])) {
            CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
        }
    }
    CreateDirectoryW(path.c_str(), nullptr);
    return IsFolder(path);
}

bool WindowsFileSystem::ReplaceFile(const std::string& path, const unsigned char* data, std::size_t size) {
    const std::wstring target = utf::Widen(path);
    constexpr unsigned kAttempts = 8;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        const std::wstring temporary = TemporaryName(target, attempt);
        if (!WriteNewFile(temporary, data, size)) {
            if (GetLastError() == ERROR_FILE_EXISTS) {
                continue;
            }
            return false;
        }
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        DeleteFileW(temporary.c_str());
        return false;
    }
    return false;
}

bool WindowsFileSystem::Remove(const std::string& path) {
    return DeleteFileW(utf::Widen(path).c_str()) != 0;
}

}  // namespace wakelatch::platform
