#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Awaiter.h"
#include "platform/DrivePlatform.h"
#include "platform/common/CallGate.h"
#include "platform/linux/DeviceReader.h"
#include "platform/linux/DriveHelper.h"
#include "platform/linux/DriveInventory.h"
#include "platform/linux/DriveMap.h"

namespace wakelatch::platform {

// Where the Linux drive platform reads the system's state and how long it waits; tests point them at fake
// trees and shorter limits.
struct LinuxDrivePaths {
    std::string mountInfo = "/proc/self/mountinfo";
    std::string fstab = "/etc/fstab";
    std::string sysfs = "/sys";
    std::string driveMap = {};  // empty: $XDG_CONFIG_HOME/Wakelatch/drives
    std::string mountProgram = "/bin/mount";
    bool useBlockDevices = true;     // where readable, a drive's block device may be read to reach it
    std::string helperProgram = {};  // empty: the running program's (DriveHelperLocation.h)
    std::string udevData = "/run/udev/data";
    std::string labelLinks = "/dev/disk/by-label";
    std::chrono::milliseconds callLimit{3000};    // a call on a drive
    std::chrono::milliseconds mountLimit{15000};  // a connection request
};

// Drive letters on Linux: the drive map gives each drive (a block-backed or network mount, or a
// network-type fstab entry) a letter, kept stable in the map file; the letter's type, volume and network
// mapping come from /proc/self/mountinfo, fstab and sysfs as the last Survey found them. Every call that
// touches a mount runs in the drive helper process and is awaited through the Awaiter with a limit, so
// neither a waiting window nor the program's end depends on a drive that does not answer. Calls are
// re-entrant: the awaiter may run another call while one waits.
class LinuxDrivePlatform final : public DrivePlatform {
  public:
    LinuxDrivePlatform(LinuxDrivePaths paths, Awaiter& awaiter);

    // Starts the drive helper ahead of the first drive call (the program does, while its windows load).
    void StartHelper() { helper_.Start(); }
    void Survey() override;
    int GetDriveType(const std::string& root) override;
    bool GetVolumeInformation(const std::string& root, std::string& label) override;
    MappingValue ReadNetworkMapping(char letter) override;
    int UseConnection(const std::string& localName, const std::string& remotePath) override;
    // The current drive is this object's own record: the process's working directory is never moved
    // onto a drive (that would keep a removable drive busy).
    bool SetCurrentDrive(const std::string& drive) override;
    bool GetDiskFreeSpace(DiskFreeSpace& space) override;
    DeviceReach ReachDevice(const std::string& drive) override;

    // The mount point a letter stands for, after giving new drives their letters.
    std::optional<std::string> MountPointOf(char letter);
    const std::string& DriveMapPath() const { return paths_.driveMap; }

  private:
    // One look at the system. Held by shared_ptr: a call that awaits keeps its own view while a nested
    // call may take a new one.
    struct View {
        explicit View(const std::string& sysfs) : devices(sysfs) {}
        std::vector<linux_mounts::MountEntry> mounts;
        std::vector<linux_mounts::FstabEntry> fstab;
        linux_drives::DriveMap map;
        linux_drives::BlockDevices devices;
        // What the volumes answered in this view: mount point → label, nothing when it did not answer.
        mutable std::map<std::string, std::optional<std::string>> volumes;
    };
    std::shared_ptr<const View> Current();
    // The mount a letter stands for when it is there and its device has not gone; nothing otherwise.
    std::optional<linux_mounts::MountEntry> PresentMount(const View& view, char letter) const;

    // Runs the request in the helper under the gate; nothing when it failed to answer in time.
    std::optional<linux_helper::Reply> Ask(const std::string& key, const linux_helper::Request& request);
    std::optional<linux_helper::Reply> Probe(const linux_mounts::MountEntry& mount, bool withLabel);
    std::string LabelOf(const View& view, const linux_mounts::MountEntry& mount,
                        const std::string& fromFilesystem) const;
    bool Unmount(const std::string& mountPoint, bool fuse);
    void RemoveMountsAddedSince(const std::string& mountPoint, const std::vector<int>& mountIdsBefore);

    // What the touches of one mount remember: the file found to read, and how often they have read.
    struct TouchRecord {
        std::mutex mutex;  // the search's reply may come in on the helper's reader thread, even late
        dev_t device = 0;
        bool searching = false;
        bool searched = false;
        std::optional<linux_drives::FileOnDrive> file;
        std::uint64_t touches = 0;
    };
    // The file to read on the mount; `answered` turns false when the search ran past its deadline.
    std::optional<linux_drives::FileOnDrive> FileToTouch(const std::shared_ptr<TouchRecord>& record,
                                                         const linux_mounts::MountEntry& mount,
                                                         bool& answered);

    LinuxDrivePaths paths_;
    CallGate gate_;
    linux_helper::DriveHelper helper_;
    char currentDrive_ = 'C';
    std::optional<linux_drives::DriveMap> lastMap_;
    std::shared_ptr<const View> view_;
    std::map<std::string, std::shared_ptr<TouchRecord>> touchRecords_;
};

}  // namespace wakelatch::platform
