#pragma once

#include <optional>
#include <string>

namespace wakelatch::platform::linux_drives {

// The label of the filesystem mounted at the folder, as the filesystem itself reports it
// (FS_IOC_GETFSLABEL, answered from the mounted filesystem's memory); nothing when it has none.
std::optional<std::string> FilesystemLabel(const std::string& mountPoint);

// Where the system keeps what it already knows about block devices.
struct LabelSources {
    std::string udevData = "/run/udev/data";
    std::string byLabel = "/dev/disk/by-label";
};

// The label of a block device as udev recorded it when the device appeared (its database, else its
// by-label links). The device itself is never opened: reading it would wake a drive nobody ticked.
std::optional<std::string> RecordedDeviceLabel(unsigned major, unsigned minor,
                                               const LabelSources& sources = {});

// The recorded label of the device node at the path (e.g. "/dev/sdb1").
std::optional<std::string> BlockDeviceLabel(const std::string& devicePath);

}  // namespace wakelatch::platform::linux_drives
