#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/Fstab.h"
#include "platform/linux/MountTable.h"

namespace wakelatch::platform::linux_drives {

// Block devices as sysfs describes them, below a given sysfs root ("/sys" on a real system). What sysfs
// says of a device is looked up once and kept: one object serves one look at the system.
class BlockDevices {
  public:
    explicit BlockDevices(std::string sysfsRoot);

    // The kernel's name of the block device ("sdb1", "loop0", "sr0"), empty when it is no block device.
    std::string Name(unsigned major, unsigned minor) const;
    // Whether the disk the device belongs to (the device itself, or the disk of a partition) reports
    // removable media.
    bool IsRemovable(unsigned major, unsigned minor) const;
    // The device numbers of a device node ("/dev/sdb1"); nothing when it is none.
    std::optional<std::pair<unsigned, unsigned>> NodeDevice(const std::string& node) const;

  private:
    struct Facts {
        std::string folder;  // empty: no such block device
        std::optional<bool> removable;
    };
    Facts& Lookup(unsigned major, unsigned minor) const;
    std::string sysfsRoot_;
    mutable std::map<std::pair<unsigned, unsigned>, Facts> facts_;
    mutable std::map<std::string, std::optional<std::pair<unsigned, unsigned>>> nodes_;
};

// The device numbers of a mount's backing block device: those of mountinfo, or, where the filesystem
// reports an anonymous device (btrfs), those of its source device node.
std::optional<std::pair<unsigned, unsigned>> BackingBlockDevice(const linux_mounts::MountEntry& mount,
                                                                const BlockDevices& devices);

// The mount points that are drives, in the order they should get letters: mounts backed by a block
// device and mounts of a network filesystem (not pseudo filesystems, images of squashfs or erofs, nor
// anything below /proc, /sys, /dev, /run — but /run/media —, /snap or /boot; a second mount of a device
// that is already listed counts once), then the mount points of network-type fstab entries.
// Mount points that already have a letter are not returned, and a device they show counts as listed.
std::vector<std::string> DriveMountPoints(const std::vector<linux_mounts::MountEntry>& mounts,
                                          const std::vector<linux_mounts::FstabEntry>& fstab,
                                          const BlockDevices& devices,
                                          const std::vector<std::string>& letteredMountPoints);

// A mount whose block device has gone (unplugged while still mounted).
bool DeviceGone(const linux_mounts::MountEntry& mount, const BlockDevices& devices);

// The mount currently at a mount point (the last one there hides the others), or null. An automount
// trap (autofs) is no mount yet.
const linux_mounts::MountEntry* MountAt(const std::vector<linux_mounts::MountEntry>& mounts,
                                        const std::string& mountPoint);

// The drive type (platform::DriveType) of a mount point.
int ClassifyMountPoint(const std::vector<linux_mounts::MountEntry>& mounts,
                       const std::vector<linux_mounts::FstabEntry>& fstab, const BlockDevices& devices,
                       const std::string& mountPoint);

}  // namespace wakelatch::platform::linux_drives
