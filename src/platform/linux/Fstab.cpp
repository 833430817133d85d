#include "platform/linux/Fstab.h"

#include "platform/linux/MountTable.h"

namespace wakelatch::platform::linux_mounts {
namespace {

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

}  // namespace

std::vector<FstabEntry> ParseFstab(std::string_view text) {
    std::vector<FstabEntry> entries;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') {
            continue;
        }
        const std::vector<std::string_view> fields = SplitFields(line, " \t");
        if (fields.size() < 3) {
            continue;
        }
        FstabEntry entry;
        entry.spec = UnescapeMountField(fields[0]);
        entry.file = WithoutTrailingSlash(UnescapeMountField(fields[1]));
        entry.type = UnescapeMountField(fields[2]);
        if (fields.size() > 3) {
            entry.options = std::string(fields[3]);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

const FstabEntry* FindNetworkEntry(const std::vector<FstabEntry>& entries, std::string_view mountPoint) {
    for (const FstabEntry& entry : entries) {
        if (entry.file == mountPoint && IsNetworkFilesystem(entry.type)) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace wakelatch::platform::linux_mounts
