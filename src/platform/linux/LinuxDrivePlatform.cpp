#include "platform/linux/LinuxDrivePlatform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <cctype>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/linux/AtomicFile.h"
#include "platform/linux/MountCommand.h"
#include "platform/linux/RegularFile.h"
#include "platform/linux/VolumeLabel.h"
#include "platform/linux/XdgPaths.h"

namespace wakelatch::platform {
namespace {

using linux_mounts::MountEntry;

// The failure code of a request for a letter that stands for no drive (the platform's "bad device").
constexpr int kNoSuchDevice = 1200;

// A drive map is a few lines; a larger file is not one the user wrote.
constexpr std::size_t kLongestDriveMap = 64 * 1024;

// The text of the drive map, empty when there is none; nothing when something is there that may not be
// read as one (a FIFO, a device, a folder, a huge file): it is then left as it is, never rewritten.
std::optional<std::string> ReadFileIfPresent(const std::string& path) {
    auto file = linux_files::ReadRegularFile(path, kLongestDriveMap);
    switch (file.outcome) {
        case linux_files::RegularFileText::Outcome::Absent:
            return std::string();
        case linux_files::RegularFileText::Outcome::Refused:
            return std::nullopt;
        case linux_files::RegularFileText::Outcome::Read:
            break;
    }
    return std::move(file.text);
}

// "E:\", "E:" or "e" → 'E'; anything else → 0.
char LetterOfRoot(const std::string& root) {
    if (root.empty() || !std::isalpha(static_cast<unsigned char>(root[0])) ||
        (root.size() > 1 && root[1] != ':')) {
        return 0;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
}

// The mount point answers statvfs and is still the mount that mountinfo names (not the empty folder
// left on the parent filesystem after an unmount).
std::optional<struct statvfs> AnsweringVolume(const std::string& mountPoint, unsigned deviceMajor,
                                              unsigned deviceMinor) {
    struct statvfs volume {};
    struct stat info {};
    if (statvfs(mountPoint.c_str(), &volume) == 0 && stat(mountPoint.c_str(), &info) == 0 &&
        major(info.st_dev) == deviceMajor && minor(info.st_dev) == deviceMinor) {
        return volume;
    }
    return std::nullopt;
}

bool MountAnswers(const std::string& mountPoint, unsigned deviceMajor, unsigned deviceMinor) {
    return AnsweringVolume(mountPoint, deviceMajor, deviceMinor).has_value();
}

// A filesystem whose files are served by a process (FUSE) may answer from that process's own cache; the
// block device beneath, where there is one, is the sure way to the device.
bool ServedByAProcess(const std::string& fsType) {
    return fsType.rfind("fuse", 0) == 0;
}

constexpr int kSearchEntries = 4000;
constexpr auto kSearchWait = std::chrono::milliseconds(2000);

// Reads the file, under the deadline; false also when the file is no longer what was found.
bool TouchFile(const std::string& mountPoint, unsigned deviceMajor, unsigned deviceMinor,
               const linux_drives::FileOnDrive& file, const linux_drives::AtimeRule& rule,
               std::uint64_t touchNumber, bool& fileGone) {
    if (!MountAnswers(mountPoint, deviceMajor, deviceMinor)) {
        return false;
    }
    if (!linux_drives::StillOnDrive(file, makedev(deviceMajor, deviceMinor))) {
        fileGone = true;
        return false;
    }
    const auto offset = linux_drives::TouchOffset(file.size, touchNumber);
    return linux_drives::ReadPastCache(mountPoint, makedev(deviceMajor, deviceMinor), file.path, offset,
                                       rule) != linux_drives::ReadRoute::Failed;
}

bool TouchBlockDevice(const std::string& blockDevice, std::uint64_t touchNumber) {
    const std::uint64_t size = linux_drives::BlockDeviceSize(blockDevice);
    return size > 0 &&
           linux_drives::ReadBlockDevice(blockDevice, linux_drives::TouchOffset(size, touchNumber));
}

}  // namespace

LinuxDrivePlatform::LinuxDrivePlatform(LinuxDrivePaths paths, std::chrono::milliseconds callLimit)
    : paths_(std::move(paths)), devices_(paths_.sysfs), deadline_(callLimit) {
    if (paths_.driveMap.empty()) {
        paths_.driveMap = linux_xdg::ConfigHome() + "/Wakelatch/drives";
    }
}

LinuxDrivePlatform::Snapshot LinuxDrivePlatform::Read() {
    Snapshot snapshot{linux_mounts::ParseMountInfo(linux_files::ReadWholeFile(paths_.mountInfo)),
                      linux_mounts::ParseFstab(linux_files::ReadWholeFile(paths_.fstab)),
                      {}};
    const std::optional<std::string> mapText = ReadFileIfPresent(paths_.driveMap);
    if (!mapText) {
        // A map that is there but cannot be read is not replaced: new letters from scratch would move
        // every drive and make the saved selection name other disks. The letters known so far serve.
        snapshot.map = lastMap_.value_or(linux_drives::DriveMap::Parse(""));
        return snapshot;
    }
    snapshot.map = linux_drives::DriveMap::Parse(*mapText);
    const auto newDrives =
        linux_drives::DriveMountPoints(snapshot.mounts, snapshot.fstab, devices_, snapshot.map.MountPoints());
    if (snapshot.map.AssignLetters(newDrives)) {
        const std::string folder = paths_.driveMap.substr(0, paths_.driveMap.rfind('/'));
        linux_xdg::MakeDirectories(folder);
        linux_files::WriteFileAtomically(paths_.driveMap, snapshot.map.Text(), 0600);
    }
    lastMap_ = snapshot.map;
    return snapshot;
}

const MountEntry* LinuxDrivePlatform::PresentMount(const Snapshot& snapshot, char letter,
                                                   std::string& mountPoint) const {
    const auto mapped = snapshot.map.MountPointOf(letter);
    if (!mapped) {
        return nullptr;
    }
    const MountEntry* mount = linux_drives::MountAt(snapshot.mounts, *mapped);
    if (mount == nullptr || linux_drives::DeviceGone(*mount, devices_)) {
        return nullptr;
    }
    mountPoint = *mapped;
    return mount;
}

std::optional<std::string> LinuxDrivePlatform::MountPointOf(char letter) {
    return Read().map.MountPointOf(letter);
}

int LinuxDrivePlatform::GetDriveType(const std::string& root) {
    const char letter = LetterOfRoot(root);
    if (letter == 0) {
        return kDriveNoRoot;
    }
    const Snapshot snapshot = Read();
    const auto mountPoint = snapshot.map.MountPointOf(letter);
    if (!mountPoint) {
        return kDriveNoRoot;
    }
    return linux_drives::ClassifyMountPoint(snapshot.mounts, snapshot.fstab, devices_, *mountPoint);
}

bool LinuxDrivePlatform::GetVolumeInformation(const std::string& root, std::string& label) {
    const char letter = LetterOfRoot(root);
    if (letter == 0 || root.size() != 3) {
        return false;
    }
    const Snapshot snapshot = Read();
    std::string mountPoint;
    const MountEntry* mount = PresentMount(snapshot, letter, mountPoint);
    if (mount == nullptr) {
        return false;
    }
    const std::string path = mountPoint;
    const unsigned deviceMajor = mount->deviceMajor;
    const unsigned deviceMinor = mount->deviceMinor;
    if (!deadline_.Run<bool>(path, [=] { return MountAnswers(path, deviceMajor, deviceMinor); })
             .value_or(false)) {
        return false;
    }
    auto fromFilesystem =
        deadline_.Run<std::optional<std::string>>(path, [=] { return linux_drives::FilesystemLabel(path); });
    if (fromFilesystem && *fromFilesystem) {
        label = **fromFilesystem;
        return true;
    }
    if (linux_drives::BackingBlockDevice(*mount, devices_) && mount->source.rfind("/dev/", 0) == 0) {
        const std::string device = mount->source;
        auto fromDevice = deadline_.Run<std::optional<std::string>>(
            device, [=] { return linux_drives::BlockDeviceLabel(device); });
        if (fromDevice && *fromDevice) {
            label = **fromDevice;
            return true;
        }
    }
    label = path;
    return true;
}

MappingValue LinuxDrivePlatform::ReadNetworkMapping(char letter) {
    const Snapshot snapshot = Read();
    const auto mountPoint = snapshot.map.MountPointOf(letter);
    if (!mountPoint) {
        return {};
    }
    const MountEntry* mount = linux_drives::MountAt(snapshot.mounts, *mountPoint);
    if (mount != nullptr && linux_mounts::IsNetworkFilesystem(mount->fsType)) {
        return {MappingValue::Kind::Text, mount->source};
    }
    if (const auto* entry = linux_mounts::FindNetworkEntry(snapshot.fstab, *mountPoint)) {
        return {MappingValue::Kind::Text, entry->spec};
    }
    return {};
}

int LinuxDrivePlatform::UseConnection(const std::string& localName, const std::string& /*remotePath*/) {
    const char letter = LetterOfRoot(localName);
    const Snapshot snapshot = letter != 0 ? Read() : Snapshot{};
    const auto mountPoint = letter != 0 ? snapshot.map.MountPointOf(letter) : std::nullopt;
    if (!mountPoint) {
        return kNoSuchDevice;
    }
    if (linux_drives::MountAt(snapshot.mounts, *mountPoint) != nullptr) {
        return kAlreadyAssigned;
    }
    // mount finds what to mount in fstab; name the file when it is not the system's own.
    const std::string fstab = paths_.fstab == "/etc/fstab" ? std::string() : paths_.fstab;
    return linux_drives::RunMount(paths_.mountProgram, *mountPoint, fstab, kMountLimit);
}

bool LinuxDrivePlatform::SetCurrentDrive(const std::string& drive) {
    const char letter = LetterOfRoot(drive);
    if (letter == 0) {
        return false;
    }
    std::string mountPoint;
    if (PresentMount(Read(), letter, mountPoint) == nullptr) {
        return false;
    }
    currentDrive_ = letter;
    return true;
}

bool LinuxDrivePlatform::GetDiskFreeSpace(DiskFreeSpace& space) {
    const Snapshot snapshot = Read();
    std::string mountPoint;
    const MountEntry* mount = PresentMount(snapshot, currentDrive_, mountPoint);
    if (mount == nullptr) {
        return false;
    }
    const std::string path = mountPoint;
    const unsigned deviceMajor = mount->deviceMajor;
    const unsigned deviceMinor = mount->deviceMinor;
    const auto volume = deadline_.Run<std::optional<struct statvfs>>(
        path, [=] { return AnsweringVolume(path, deviceMajor, deviceMinor); });
    if (!volume || !*volume) {
        return false;
    }
    const struct statvfs& answer = **volume;
    space.bytesPerSector = answer.f_frsize != 0 ? answer.f_frsize : answer.f_bsize;
    space.sectorsPerCluster = 1;
    space.freeClusters = answer.f_bavail;
    space.totalClusters = answer.f_blocks;
    return true;
}

bool LinuxDrivePlatform::ReachDevice(const std::string& drive) {
    const char letter = LetterOfRoot(drive);
    if (letter == 0) {
        return false;
    }
    const Snapshot snapshot = Read();
    std::string mountPoint;
    const MountEntry* mount = PresentMount(snapshot, letter, mountPoint);
    if (mount == nullptr) {
        return false;  // unmounted or unplugged: there is nothing to touch
    }
    const auto backing = linux_drives::BackingBlockDevice(*mount, devices_);
    std::string blockDevice;
    if (backing && paths_.useBlockDevices) {
        const std::string node = "/dev/" + devices_.Name(backing->first, backing->second);
        if (access(node.c_str(), R_OK) == 0) {
            blockDevice = node;
        }
    }
    TouchRecord& record = touchRecords_[mountPoint];
    const std::uint64_t touchNumber = record.touches++;
    const std::string path = mountPoint;
    if (ServedByAProcess(mount->fsType) && backing) {
        // Its files come through a process that may answer from memory; only the device itself will do,
        // and without read access to it the drive cannot be reached.
        return !blockDevice.empty() &&
               deadline_.Run<bool>(path, [=] { return TouchBlockDevice(blockDevice, touchNumber); })
                   .value_or(false);
    }
    const auto file = FileToTouch(record, *mount);
    if (file) {
        const unsigned deviceMajor = mount->deviceMajor;
        const unsigned deviceMinor = mount->deviceMinor;
        const auto rule = linux_drives::AtimeRule::FromMountOptions(mount->options);
        const auto result = deadline_.Run<std::pair<bool, bool>>(path, [=] {
            bool fileGone = false;
            const bool reached =
                TouchFile(path, deviceMajor, deviceMinor, *file, rule, touchNumber, fileGone);
            return std::make_pair(reached, fileGone);
        });
        if (result && result->second) {
            record.search.reset();  // the file went away: look for another one next time
        }
        if (result && result->first) {
            return true;
        }
    }
    // No file that can be read without writing (an empty drive, say): the device itself, where readable.
    return !blockDevice.empty() &&
           deadline_.Run<bool>(path, [=] { return TouchBlockDevice(blockDevice, touchNumber); })
               .value_or(false);
}

std::optional<linux_drives::FileOnDrive> LinuxDrivePlatform::FileToTouch(TouchRecord& record,
                                                                         const MountEntry& mount) {
    const dev_t device = makedev(mount.deviceMajor, mount.deviceMinor);
    if (record.search && record.device != device) {
        record.search.reset();  // another filesystem is mounted there now
    }
    if (!record.search) {
        // The walk runs on its own thread: on a slow share it may take longer than the window should
        // wait, and what it finds then serves the next touch.
        record.device = device;
        record.search = std::make_shared<FileSearch>();
        auto search = record.search;
        const std::string mountPoint = mount.mountPoint;
        const auto rule = linux_drives::AtimeRule::FromMountOptions(mount.options);
        std::thread([search, mountPoint, device, rule] {
            auto found = linux_drives::FindFileOnDrive(mountPoint, device, rule, kSearchEntries);
            const std::lock_guard lock(search->mutex);
            search->file = std::move(found);
            search->finished = true;
            search->done.notify_all();
        }).detach();
    }
    std::unique_lock lock(record.search->mutex);
    record.search->done.wait_for(lock, kSearchWait, [&] { return record.search->finished; });
    return record.search->finished ? record.search->file : std::nullopt;
}

}  // namespace wakelatch::platform
