#pragma once

#include <sys/types.h>

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

// A regular file of at least kTouchSize bytes (else the largest one seen) on the filesystem mounted at
// `mountPoint` with device `device`, found by a walk of at most `maxEntries` directory entries that never
// enters another filesystem and never follows a link.
std::optional<FileOnDrive> FindFileOnDrive(const std::string& mountPoint, dev_t device, int maxEntries);

// Whether the file is still a regular file of the same size on that device.
bool StillOnDrive(const FileOnDrive& file, dev_t device);

// An aligned offset for the n-th touch of a file or device of the given size, so that successive touches
// read different blocks.
std::uint64_t TouchOffset(std::uint64_t size, std::uint64_t touchNumber);

enum class ReadRoute { Direct, DroppedCache, Failed };

// Reads kTouchSize bytes at `offset`: with O_DIRECT, or, where the filesystem refuses it, after dropping
// the cached pages of that range. The access time is left alone where the kernel allows it.
ReadRoute ReadPastCache(const std::string& path, std::uint64_t offset);

// The size of a block device, or 0 when it cannot be opened for reading.
std::uint64_t BlockDeviceSize(const std::string& devicePath);

// Reads kTouchSize bytes of a block device with O_DIRECT.
bool ReadBlockDevice(const std::string& devicePath, std::uint64_t offset);

}  // namespace wakelatch::platform::linux_drives
