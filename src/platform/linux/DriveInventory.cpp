#include "platform/linux/DriveInventory.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <set>

#include "platform/DrivePlatform.h"
#include "platform/linux/AtomicFile.h"

namespace wakelatch::platform::linux_drives {
namespace {

namespace fs = std::filesystem;
using linux_mounts::MountEntry;

bool Below(const std::string& path, std::string_view folder) {
    return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                              path[folder.size()] == '/');
}

bool ExcludedPlace(const std::string& mountPoint) {
    if (Below(mountPoint, "/run/media")) {
        return false;
    }
    constexpr std::array<std::string_view, 6> kSystemFolders = {"/proc", "/sys",  "/dev",
                                                                "/run",  "/snap", "/boot"};
    return std::any_of(kSystemFolders.begin(), kSystemFolders.end(),
                       [&](std::string_view folder) { return Below(mountPoint, folder); });
}

bool ImageFilesystem(const std::string& type) {
    return type == "squashfs" || type == "erofs";
}

bool RamFilesystem(const std::string& type) {
    return type == "tmpfs" || type == "ramfs";
}

bool OpticalFilesystem(const std::string& type) {
    return type == "iso9660" || type == "udf";
}

std::string ReadFirstLine(const fs::path& path) {
    const std::string text = linux_files::ReadWholeFile(path.string());
    return text.substr(0, text.find('\n'));
}

}  // namespace

BlockDevices::BlockDevices(std::string sysfsRoot) : sysfsRoot_(std::move(sysfsRoot)) {}

BlockDevices::Facts& BlockDevices::Lookup(unsigned major, unsigned minor) const {
    const auto key = std::make_pair(major, minor);
    const auto known = facts_.find(key);
    if (known != facts_.end()) {
        return known->second;
    }
    // Major 0 is the kernel's anonymous devices (tmpfs, proc, FUSE, ...): never a block device, and a
    // system with many such mounts must not pay a sysfs lookup for each.
    if (major == 0) {
        return facts_[key] = Facts{};
    }
    std::error_code error;
    const fs::path link =
        fs::path(sysfsRoot_) / "dev" / "block" / (std::to_string(major) + ":" + std::to_string(minor));
    const fs::path folder = fs::canonical(link, error);
    return facts_[key] = Facts{error ? std::string() : folder.string(), std::nullopt};
}

std::string BlockDevices::Name(unsigned major, unsigned minor) const {
    const std::string& folder = Lookup(major, minor).folder;
    return folder.empty() ? std::string() : fs::path(folder).filename().string();
}

bool BlockDevices::IsRemovable(unsigned major, unsigned minor) const {
    Facts& facts = Lookup(major, minor);
    if (facts.folder.empty()) {
        return false;
    }
    if (!facts.removable) {
        std::error_code error;
        const fs::path device(facts.folder);
        const fs::path disk = fs::exists(device / "partition", error) ? device.parent_path() : device;
        facts.removable = ReadFirstLine(disk / "removable") == "1";
    }
    return *facts.removable;
}

std::optional<std::pair<unsigned, unsigned>> BlockDevices::NodeDevice(const std::string& node) const {
    const auto known = nodes_.find(node);
    if (known != nodes_.end()) {
        return known->second;
    }
    struct stat info {};
    std::optional<std::pair<unsigned, unsigned>> device;
    if (node.rfind("/dev/", 0) == 0 && stat(node.c_str(), &info) == 0 && S_ISBLK(info.st_mode)) {
        device = std::make_pair(static_cast<unsigned>(major(info.st_rdev)),
                                static_cast<unsigned>(minor(info.st_rdev)));
    }
    return nodes_[node] = device;
}

std::optional<std::pair<unsigned, unsigned>> BackingBlockDevice(const MountEntry& mount,
                                                                const BlockDevices& devices) {
    if (!devices.Name(mount.deviceMajor, mount.deviceMinor).empty()) {
        return std::make_pair(mount.deviceMajor, mount.deviceMinor);
    }
    return devices.NodeDevice(mount.source);
}

const MountEntry* MountAt(const std::vector<MountEntry>& mounts, const std::string& mountPoint) {
    const MountEntry* found = nullptr;
    for (const MountEntry& mount : mounts) {
        if (mount.mountPoint == mountPoint) {
            found = &mount;
        }
    }
    return found != nullptr && found->fsType == "autofs" ? nullptr : found;
}

bool DeviceGone(const MountEntry& mount, const BlockDevices& devices) {
    // Only block devices have a major number other than 0 in mountinfo.
    return mount.deviceMajor != 0 && devices.Name(mount.deviceMajor, mount.deviceMinor).empty();
}

std::vector<std::string> DriveMountPoints(const std::vector<MountEntry>& mounts,
                                          const std::vector<linux_mounts::FstabEntry>& fstab,
                                          const BlockDevices& devices,
                                          const std::vector<std::string>& letteredMountPoints) {
    // Whole filesystems first, so that a device mounted as a whole and bound elsewhere in part is
    // listed by its own mount point.
    std::vector<const MountEntry*> ordered;
    for (const MountEntry& mount : mounts) {
        ordered.push_back(&mount);
    }
    std::stable_partition(ordered.begin(), ordered.end(), [](const MountEntry* m) { return m->root == "/"; });

    const auto deviceKey = [&](const MountEntry& mount) {
        return BackingBlockDevice(mount, devices)
            .value_or(std::make_pair(mount.deviceMajor, mount.deviceMinor));
    };
    const auto lettered = [&](const std::string& mountPoint) {
        return std::find(letteredMountPoints.begin(), letteredMountPoints.end(), mountPoint) !=
               letteredMountPoints.end();
    };
    std::set<std::pair<unsigned, unsigned>> seenDevices;
    for (const std::string& mountPoint : letteredMountPoints) {
        if (const MountEntry* mount = MountAt(mounts, mountPoint)) {
            seenDevices.insert(deviceKey(*mount));
        }
    }

    // The mount that is seen at each mount point: the last one there hides the others.
    std::map<std::string_view, const MountEntry*> topmost;
    for (const MountEntry& mount : mounts) {
        topmost[mount.mountPoint] = &mount;
    }
    std::vector<std::string> mountPoints;
    for (const MountEntry* mount : ordered) {
        if (topmost[mount->mountPoint] != mount || mount->fsType == "autofs" || lettered(mount->mountPoint) ||
            ExcludedPlace(mount->mountPoint) || ImageFilesystem(mount->fsType)) {
            continue;
        }
        const bool network = linux_mounts::IsNetworkFilesystem(mount->fsType);
        if (!network && !BackingBlockDevice(*mount, devices)) {
            continue;
        }
        if (!seenDevices.insert(deviceKey(*mount)).second) {
            continue;
        }
        mountPoints.push_back(mount->mountPoint);
    }
    for (const linux_mounts::FstabEntry& entry : fstab) {
        if (linux_mounts::IsNetworkFilesystem(entry.type) && !entry.file.empty() && entry.file[0] == '/' &&
            !lettered(entry.file) &&
            std::find(mountPoints.begin(), mountPoints.end(), entry.file) == mountPoints.end()) {
            mountPoints.push_back(entry.file);
        }
    }
    return mountPoints;
}

int ClassifyMountPoint(const std::vector<MountEntry>& mounts,
                       const std::vector<linux_mounts::FstabEntry>& fstab, const BlockDevices& devices,
                       const std::string& mountPoint) {
    const MountEntry* mount = MountAt(mounts, mountPoint);
    if (mount == nullptr) {
        return linux_mounts::FindNetworkEntry(fstab, mountPoint) != nullptr ? kDriveRemote : kDriveNoRoot;
    }
    if (linux_mounts::IsNetworkFilesystem(mount->fsType)) {
        return kDriveRemote;
    }
    if (RamFilesystem(mount->fsType)) {
        return kDriveRamDisk;
    }
    if (DeviceGone(*mount, devices)) {
        return kDriveNoRoot;  // unplugged, though the mount is not cleaned up yet
    }
    const auto device = BackingBlockDevice(*mount, devices);
    if (!device) {
        // Neither a device nor a network: the system's own root (an overlay, say) is its fixed disk;
        // anything else is of no known kind.
        return mountPoint == "/" ? kDriveFixed : kDriveUnknown;
    }
    const std::string name = devices.Name(device->first, device->second);
    if (name.rfind("sr", 0) == 0 || OpticalFilesystem(mount->fsType)) {
        return kDriveCdRom;
    }
    if (name.rfind("zram", 0) == 0) {
        return kDriveRamDisk;
    }
    if (devices.IsRemovable(device->first, device->second)) {
        return kDriveRemovable;
    }
    return kDriveFixed;
}

}  // namespace wakelatch::platform::linux_drives
