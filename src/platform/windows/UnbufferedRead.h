#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/windows/Win32.h"

// One read of a file that bypasses the system's cache, so that the device itself sees it. Nothing here
// ever writes or creates a file.
namespace wakelatch::platform::win_drives {

// The file calls of a touch: the real ones, or ones a test wraps to watch them.
struct FileCalls {
    // CreateFileW without security attributes or template.
    std::function<HANDLE(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags)>
        open;
    // A synchronous ReadFile of `size` bytes at `offset`; `got` receives the bytes read.
    std::function<bool(HANDLE file, void* buffer, DWORD size, std::uint64_t offset, DWORD& got)> read;

    static FileCalls Real();
};

// What one touch reads: whole sectors of the volume, at least 4 KiB (a multiple of 512-byte sectors and
// of 4 KiB ones alike, whichever the device really has behind what the volume reports).
std::uint32_t TouchBlock(std::uint32_t bytesPerSector);

// A block-aligned offset for the n-th touch of a file of `size` bytes, so that successive touches read
// different blocks and none is answered from a cache that still holds the last one.
std::uint64_t TouchOffset(std::uint64_t size, std::uint32_t block, std::uint64_t touchNumber);

// Reads one block at `offset` with FILE_FLAG_NO_BUFFERING into sector-aligned memory. The file is opened
// as it is (never created), its reparse point not followed, and its last-access time kept where the
// handle may say so. False when the file cannot be opened as a plain file or nothing was read.
bool ReadUnbuffered(const std::wstring& path, std::uint64_t offset, std::uint32_t block,
                    const FileCalls& calls);

}  // namespace wakelatch::platform::win_drives
