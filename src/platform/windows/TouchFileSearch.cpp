#include "platform/windows/TouchFileSearch.h"

#include <deque>
#include <utility>

#include "platform/windows/Win32.h"

namespace wakelatch::platform::win_drives {
namespace {

// Ten minutes: long past the cache's lazy writing of a file's last changes.
constexpr std::uint64_t kSettled = 600ULL * 10'000'000ULL;  // in 100-ns units

// Cloud placeholders: reading them fetches their data from elsewhere (not in mingw's headers).
constexpr DWORD kRecallOnOpen = 0x00040000;
constexpr DWORD kRecallOnDataAccess = 0x00400000;

constexpr DWORD kUnsuitable = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT |
                              FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_SPARSE_FILE | FILE_ATTRIBUTE_COMPRESSED |
                              FILE_ATTRIBUTE_ENCRYPTED | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY |
                              kRecallOnOpen | kRecallOnDataAccess;

std::uint64_t Combine(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

std::uint64_t Now() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return Combine(now.dwHighDateTime, now.dwLowDateTime);
}

bool ToTouch(DWORD attributes, std::uint64_t size, const FILETIME& lastWrite, std::uint64_t now) {
    const std::uint64_t written = Combine(lastWrite.dwHighDateTime, lastWrite.dwLowDateTime);
    return (attributes & kUnsuitable) == 0 && size > 0 && written < now && now - written > kSettled;
}

std::wstring Below(const std::wstring& folder, const wchar_t* name) {
    return folder.back() == L'\\' ? folder + name : folder + L'\\' + name;
}

// Whether every folder between the drive's root ("E:\\") and the file is still a plain folder: one that
// has since been swapped for a link or a junction would lead the read off the drive, maybe onto another.
bool FoldersStillPlain(const std::wstring& path) {
    for (auto split = path.find(L'\\', 3); split != std::wstring::npos; split = path.find(L'\\', split + 1)) {
        const DWORD attributes = GetFileAttributesW(path.substr(0, split).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<FileToTouch> FindFileToTouch(const std::wstring& root, std::uint64_t wanted,
                                           const SearchLimits& limits) {
    const std::uint64_t now = Now();
    std::optional<FileToTouch> best;
    std::deque<std::pair<std::wstring, int>> folders{{root, 0}};
    int seen = 0;
    while (!folders.empty() && seen < limits.maxEntries) {
        const auto [folder, depth] = std::move(folders.front());
        folders.pop_front();
        WIN32_FIND_DATAW entry{};
        const HANDLE listing = FindFirstFileExW(Below(folder, L"*").c_str(), FindExInfoBasic, &entry,
                                                FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (listing == INVALID_HANDLE_VALUE) {
            continue;
        }
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            if (++seen > limits.maxEntries) {
                break;
            }
            const DWORD attributes = entry.dwFileAttributes;
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && depth < limits.maxDepth) {
                    folders.emplace_back(Below(folder, entry.cFileName), depth + 1);
                }
                continue;
            }
            const std::uint64_t size = Combine(entry.nFileSizeHigh, entry.nFileSizeLow);
            if (ToTouch(attributes, size, entry.ftLastWriteTime, now) && (!best || size > best->size)) {
                best = FileToTouch{Below(folder, entry.cFileName), size};
                if (size >= wanted) {
                    break;
                }
            }
        } while (FindNextFileW(listing, &entry));
        FindClose(listing);
        if (best && best->size >= wanted) {
            return best;
        }
    }
    return best;
}

std::optional<std::uint64_t> SizeIfStillToTouch(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!FoldersStillPlain(path) || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info)) {
        return std::nullopt;
    }
    const std::uint64_t size = Combine(info.nFileSizeHigh, info.nFileSizeLow);
    if (!ToTouch(info.dwFileAttributes, size, info.ftLastWriteTime, Now())) {
        return std::nullopt;
    }
    return size;
}

}  // namespace wakelatch::platform::win_drives
