#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <ctime>

#include <cstdint>
#include <optional>
#include <string>

// Reads that reach the device behind a mounted filesystem rather than the page cache. Nothing here
// ever opens anything for writing.
namespace wakelatch::platform::linux_drives {

inline constexpr std::uint64_t kTouchSize = 4096;

struct FileOnDrive {
    std::string path;
    std::uint64_t size = 0;
};

// When reading a file or folder writes its access time, by the mount's options (as mountinfo lists
// them): never (noatime, ro; nodiratime for folders), when it is older than the last change or a day
// old (relatime, the default), or on every read (strictatime).
struct AtimeRule {
    bool never = false;
    bool neverForFolders = false;
    bool always = false;

    static AtimeRule FromMountOptions(const std::string& mountOptions);
    // Whether reading this file or folder now would leave its access time as it is.
    bool ReadLeavesAccessTime(const struct stat& info, time_t now) const;
};

// A file whose reading reaches the device and writes nothing: a regular file on the filesystem mounted at
// `mountPoint` (device `device`), all of its blocks on the disk (no holes, which read as zeros without
// any I/O), unchanged for a while (no dirty pages that a direct read would write out first), and one
// whose access time stays as it is (O_NOATIME is allowed for it, or `rule` says reading leaves it).
// Folders are listed on the same condition. Found by a walk of at most `maxEntries` directory entries
// that never enters another filesystem and never follows a link; the first of at least kTouchSize
// bytes, else the largest seen.
std::optional<FileOnDrive> FindFileOnDrive(const std::string& mountPoint, dev_t device, const AtimeRule& rule,
                                           int maxEntries);

// Whether the file is still a regular file of the same size on that device.
bool StillOnDrive(const FileOnDrive& file, dev_t device);

// An aligned offset for the n-th touch of a file or device of the given size, so that successive touches
// read different blocks.
std::uint64_t TouchOffset(std::uint64_t size, std::uint64_t touchNumber);

enum class ReadRoute { Direct, DroppedCache, Failed };

// Opens the file at `path` below the mount for reading, folder by folder from the mount point, never
// following a link and never leaving the device: when the drive was unmounted meanwhile, or a link or
// another filesystem lies on the way, nothing is opened (-1) rather than a file elsewhere.
int OpenOnDrive(const std::string& mountPoint, dev_t device, const std::string& path, int extraFlags,
                const AtimeRule& rule);

// Reads kTouchSize bytes at `offset` of the file on the drive mounted at `mountPoint` (device `device`):
// with O_DIRECT, or, where the filesystem refuses it, after dropping the cached pages of that range.
// Where the access time would be written, or the file is no longer on that drive, nothing is read.
ReadRoute ReadPastCache(const std::string& mountPoint, dev_t device, const std::string& path,
                        std::uint64_t offset, const AtimeRule& rule);

// The size of a block device, or 0 when it cannot be opened for reading.
std::uint64_t BlockDeviceSize(const std::string& devicePath);

// Reads kTouchSize bytes of a block device with O_DIRECT.
bool ReadBlockDevice(const std::string& devicePath, std::uint64_t offset);

}  // namespace wakelatch::platform::linux_drives
