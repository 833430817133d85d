#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/DrivePlatform.h"
#include "platform/linux/Deadline.h"
#include "platform/linux/DeviceReader.h"
#include "platform/linux/DriveInventory.h"
#include "platform/linux/DriveMap.h"

namespace wakelatch::platform {

// Where the Linux drive platform reads the system's state; tests point them at fake trees.
struct LinuxDrivePaths {
    std::string mountInfo = "/proc/self/mountinfo";
    std::string fstab = "/etc/fstab";
    std::string sysfs = "/sys";
    std::string driveMap;  // empty: $XDG_CONFIG_HOME/Wakelatch/drives
    std::string mountProgram = "/bin/mount";
    bool useBlockDevices = true;  // where readable, a drive's block device may be read to reach it
};

// Drive letters on Linux: the drive map gives each drive (a block-backed or network mount, or a
// network-type fstab entry) a letter, kept stable in the map file; the letter's type, volume and
// network mapping come from /proc/self/mountinfo, fstab and sysfs, read afresh on every call so that a
// drive that goes away is gone at once.
class LinuxDrivePlatform final : public DrivePlatform {
  public:
    static constexpr std::chrono::milliseconds kCallLimit{3000};
    static constexpr std::chrono::milliseconds kMountLimit{15000};

    explicit LinuxDrivePlatform(LinuxDrivePaths paths = {}, std::chrono::milliseconds callLimit = kCallLimit);

    int GetDriveType(const std::string& root) override;
    bool GetVolumeInformation(const std::string& root, std::string& label) override;
    MappingValue ReadNetworkMapping(char letter) override;
    int UseConnection(const std::string& localName, const std::string& remotePath) override;
    // The current drive is this object's own record: the process's working directory is never moved
    // onto a drive (that would keep a removable drive busy).
    bool SetCurrentDrive(const std::string& drive) override;
    bool GetDiskFreeSpace(DiskFreeSpace& space) override;
    bool ReachDevice(const std::string& drive) override;

    // The mount point a letter stands for, after giving new drives their letters.
    std::optional<std::string> MountPointOf(char letter);
    const std::string& DriveMapPath() const { return paths_.driveMap; }

  private:
    struct Snapshot {
        std::vector<linux_mounts::MountEntry> mounts;
        std::vector<linux_mounts::FstabEntry> fstab;
        linux_drives::DriveMap map;
    };
    Snapshot Read();
    // The mount a letter stands for when it is there and its device has not gone; null otherwise.
    const linux_mounts::MountEntry* PresentMount(const Snapshot& snapshot, char letter,
                                                 std::string& mountPoint) const;

    // The search for a file to read on a mount; it finishes in the background if it takes long.
    struct FileSearch {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        std::optional<linux_drives::FileOnDrive> file;
    };
    // What the touches of one mount remember: the search for its file, and how often they have read it.
    struct TouchRecord {
        std::shared_ptr<FileSearch> search;
        dev_t device = 0;
        std::uint64_t touches = 0;
    };
    std::optional<linux_drives::FileOnDrive> FileToTouch(TouchRecord& record,
                                                         const linux_mounts::MountEntry& mount);

    LinuxDrivePaths paths_;
    linux_drives::BlockDevices devices_;
    linux_files::Deadline deadline_;
    char currentDrive_ = 'C';
    std::optional<linux_drives::DriveMap> lastMap_;
    std::map<std::string, TouchRecord> touchRecords_;
};

}  // namespace wakelatch::platform
