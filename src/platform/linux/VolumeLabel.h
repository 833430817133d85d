#pragma once

#include <optional>
#include <string>

namespace wakelatch::platform::linux_drives {

// The label of the filesystem mounted at the folder, as the filesystem itself reports it
// (FS_IOC_GETFSLABEL); nothing when it has none or cannot say.
std::optional<std::string> FilesystemLabel(const std::string& mountPoint);

// The label libblkid finds on the block device; nothing when the device cannot be read or has none.
std::optional<std::string> BlockDeviceLabel(const std::string& devicePath);

}  // namespace wakelatch::platform::linux_drives
