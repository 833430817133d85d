#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Finding a file on a drive whose reading reaches the device and makes it write nothing.
namespace wakelatch::platform::win_drives {

struct FileToTouch {
    std::wstring path;
    std::uint64_t size = 0;
};

struct SearchLimits {
    int maxDepth = 6;
    int maxEntries = 4000;
};

// A file whose unbuffered read reaches the device: a plain file with data (not empty, not sparse, not
// compressed or encrypted, not held elsewhere as offline files and cloud placeholders are, not a reparse
// point) that has not been written for a while (the cache may still hold unwritten data of a file just
// written, which a read past the cache writes out first).
// Found by a walk from `root` ("E:\") that goes at most `limits` deep and wide and never through a
// reparse point (a link, a junction, a mounted volume: all may lead off the drive); the first file of at
// least `wanted` bytes, else the largest seen. Listing a folder may refresh its last-access time where the
// volume keeps them; the walk runs only when the drive's last file no longer serves.
std::optional<FileToTouch> FindFileToTouch(const std::wstring& root, std::uint64_t wanted,
                                           const SearchLimits& limits = {});

// The file's size now, when it still is a file to touch and no folder on its way has become a link.
std::optional<std::uint64_t> SizeIfStillToTouch(const std::wstring& path);

}  // namespace wakelatch::platform::win_drives
