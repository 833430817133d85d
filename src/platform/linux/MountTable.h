#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wakelatch::platform::linux_mounts {

// One line of /proc/self/mountinfo, with the octal escapes of its paths (\040 for a space, ...) undone.
struct MountEntry {
    int mountId = 0;
    int parentId = 0;
    unsigned deviceMajor = 0;
    unsigned deviceMinor = 0;
    std::string root;        // the part of the filesystem that is mounted
    std::string mountPoint;  // where it is mounted
    std::string options;     // per-mount options
    std::string fsType;      // e.g. ext4, nfs4, fuse.sshfs
    std::string source;      // e.g. /dev/sdb1, server:/export, user@host:/path
    std::string superOptions;
};

// Parses the text of a mountinfo file; malformed lines are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// The fields of a line, separated by runs of the given blank characters.
std::vector<std::string_view> SplitFields(std::string_view line, std::string_view blanks);

// Undoes the kernel's octal escapes (\040, \011, \012, \134) in a mountinfo or fstab field.
std::string UnescapeMountField(std::string_view field);

// The mount an absolute path lies on: the entry with the longest mount point that contains the path;
// among entries for the same mount point the last one, which hides the earlier ones. Null when none.
const MountEntry* FindMountContaining(const std::vector<MountEntry>& mounts, std::string_view path);

// The mount of the filesystem with the given device number (as stat reports it for a file on it). A
// filesystem mounted more than once (bind mounts) gives the entry whose mount point best contains the
// path. Unlike a path search this is not fooled by a mount hidden under a later one. Null when none.
const MountEntry* FindMountOfDevice(const std::vector<MountEntry>& mounts, unsigned major, unsigned minor,
                                    std::string_view path);

// Whether a filesystem type is served over a network (nfs, cifs, sshfs, 9p, ceph, ...).
bool IsNetworkFilesystem(std::string_view fsType);

}  // namespace wakelatch::platform::linux_mounts
