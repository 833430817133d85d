#include "platform/linux/MountTable.h"

#include <array>
#include <charconv>

namespace wakelatch::platform::linux_mounts {
namespace {

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && ptr == text.data() + text.size();
}

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

bool PathContains(std::string_view mountPoint, std::string_view path) {
    if (mountPoint == "/") {
        return !path.empty() && path.front() == '/';
    }
    return path.substr(0, mountPoint.size()) == mountPoint &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

}  // namespace

std::string UnescapeMountField(std::string_view field) {
    std::string result;
    result.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
            IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
            result.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                               (field[i + 3] - '0')));
            i += 3;
        } else {
            result.push_back(field[i]);
        }
    }
    return result;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> mounts;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);

        const std::vector<std::string_view> fields = SplitFields(line, " ");
        // Fields: id parent major:minor root mountpoint options [optional...] - fstype source superoptions
        std::size_t separator = 6;
        while (separator < fields.size() && fields[separator] != "-") {
            ++separator;
        }
        if (fields.size() < 6 || separator + 2 >= fields.size()) {
            continue;
        }
        MountEntry entry;
        const std::string_view device = fields[2];
        const std::size_t colon = device.find(':');
        if (!ParseNumber(fields[0], entry.mountId) || !ParseNumber(fields[1], entry.parentId) ||
            colon == std::string_view::npos || !ParseNumber(device.substr(0, colon), entry.deviceMajor) ||
            !ParseNumber(device.substr(colon + 1), entry.deviceMinor)) {
            continue;
        }
        entry.root = UnescapeMountField(fields[3]);
        entry.mountPoint = UnescapeMountField(fields[4]);
        entry.options = std::string(fields[5]);
        entry.fsType = UnescapeMountField(fields[separator + 1]);
        entry.source = UnescapeMountField(fields[separator + 2]);
        if (separator + 3 < fields.size()) {
            entry.superOptions = std::string(fields[separator + 3]);
        }
        mounts.push_back(std::move(entry));
    }
    return mounts;
}

std::vector<std::string_view> SplitFields(std::string_view line, std::string_view blanks) {
    std::vector<std::string_view> fields;
    std::size_t start = line.find_first_not_of(blanks);
    while (start != std::string_view::npos) {
        const std::size_t end = line.find_first_of(blanks, start);
        fields.push_back(
            line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        start = end == std::string_view::npos ? end : line.find_first_not_of(blanks, end);
    }
    return fields;
}

const MountEntry* FindMountContaining(const std::vector<MountEntry>& mounts, std::string_view path) {
    const MountEntry* best = nullptr;
    for (const MountEntry& entry : mounts) {
        if (PathContains(entry.mountPoint, path) &&
            (best == nullptr || entry.mountPoint.size() >= best->mountPoint.size())) {
            best = &entry;
        }
    }
    return best;
}

const MountEntry* FindMountOfDevice(const std::vector<MountEntry>& mounts, unsigned major, unsigned minor,
                                    std::string_view path) {
    const MountEntry* best = nullptr;
    for (const MountEntry& entry : mounts) {
        if (entry.deviceMajor != major || entry.deviceMinor != minor) {
            continue;
        }
        const bool contains = PathContains(entry.mountPoint, path);
        const bool bestContains = best != nullptr && PathContains(best->mountPoint, path);
        if (best == nullptr ||
            (contains && (!bestContains || entry.mountPoint.size() >= best->mountPoint.size()))) {
            best = &entry;
        }
    }
    return best;
}

bool IsNetworkFilesystem(std::string_view fsType) {
    static constexpr std::array<std::string_view, 22> kNetworkTypes = {"nfs",
                                                                       "nfs4",
                                                                       "cifs",
                                                                       "smb3",
                                                                       "smbfs",
                                                                       "ncpfs",
                                                                       "9p",
                                                                       "ceph",
                                                                       "glusterfs",
                                                                       "lustre",
                                                                       "afs",
                                                                       "coda",
                                                                       "davfs",
                                                                       "sshfs",
                                                                       "fuse.sshfs",
                                                                       "fuse.davfs2",
                                                                       "fuse.glusterfs",
                                                                       "fuse.rclone",
                                                                       "fuse.s3fs",
                                                                       "fuse.smbnetfs",
                                                                       "fuse.curlftpfs",
                                                                       "fuse.ceph"};
    for (const std::string_view type : kNetworkTypes) {
        if (fsType == type) {
            return true;
        }
    }
    return false;
}

}  // namespace wakelatch::platform::linux_mounts
