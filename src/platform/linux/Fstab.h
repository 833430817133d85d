#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wakelatch::platform::linux_mounts {

// One line of an fstab file, with the octal escapes of its fields undone.
struct FstabEntry {
    std::string spec;  // what is mounted: a device, server:/export, //server/share, user@host:/path
    std::string file;  // the mount point
    std::string type;  // the filesystem type
    std::string options;
};

// Parses fstab text; comments, blank and incomplete lines are skipped.
std::vector<FstabEntry> ParseFstab(std::string_view text);

// The network-type entry for a mount point, or null.
const FstabEntry* FindNetworkEntry(const std::vector<FstabEntry>& entries, std::string_view mountPoint);

}  // namespace wakelatch::platform::linux_mounts
