#include "platform/linux/LinuxDrivePlatform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <cctype>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/linux/AtomicFile.h"
#include "platform/linux/MountCommand.h"
#include "platform/linux/VolumeLabel.h"
#include "platform/linux/XdgPaths.h"

namespace wakelatch::platform {
namespace {

using linux_mounts::MountEntry;

// The failure code of a request for a letter that stands for no drive (the platform's "bad device").
constexpr int kNoSuchDevice = 1200;

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text of a file that may be missing (then it is empty); nothing when it exists but cannot be read.
std::optional<std::string> ReadFileIfPresent(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            close(fd);
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return text;
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
bool MountAnswers(const std::string& mountPoint, unsigned deviceMajor, unsigned deviceMinor) {
    struct statvfs volume {};
    struct stat info {};
    return statvfs(mountPoint.c_str(), &volume) == 0 && stat(mountPoint.c_str(), &info) == 0 &&
           major(info.st_dev) == deviceMajor && minor(info.st_dev) == deviceMinor;
}

// A filesystem whose files are served by a process (FUSE) may answer from that process's own cache; the
// block device beneath, where there is one, is the sure way to the device.
bool ServedByAProcess(const std::string& fsType) {
    return fsType.rfind("fuse", 0) == 0;
}

struct TouchResult {
    bool reached = false;
    std::optional<linux_drives::FileOnDrive> file;
};

// The touch itself, run under the deadline: everything it needs is passed by value.
TouchResult TouchMount(const std::string& mountPoint, unsigned deviceMajor, unsigned deviceMinor,
                       bool preferDevice, const std::string& blockDevice,
                       std::optional<linux_drives::FileOnDrive> file, std::uint64_t touchNumber) {
    TouchResult result;
    if (!MountAnswers(mountPoint, deviceMajor, deviceMinor)) {
        return result;
    }
    const dev_t device = makedev(deviceMajor, deviceMinor);
    if (!preferDevice) {
        if (!file || !linux_drives::StillOnDrive(*file, device)) {
            file = linux_drives::FindFileOnDrive(mountPoint, device, 4000);
        }
        result.file = file;
        if (file) {
            const auto offset = linux_drives::TouchOffset(file->size, touchNumber);
            result.reached =
                linux_drives::ReadPastCache(file->path, offset) != linux_drives::ReadRoute::Failed;
        }
    }
    if (!result.reached && !blockDevice.empty()) {
        const std::uint64_t size = linux_drives::BlockDeviceSize(blockDevice);
        result.reached = size > 0 && linux_drives::ReadBlockDevice(
                                         blockDevice, linux_drives::TouchOffset(size, touchNumber));
    }
    return result;
}

}  // namespace

LinuxDrivePlatform::LinuxDrivePlatform(LinuxDrivePaths paths, std::chrono::milliseconds callLimit)
    : paths_(std::move(paths)), devices_(paths_.sysfs), deadline_(callLimit) {
    if (paths_.driveMap.empty()) {
        paths_.driveMap = linux_xdg::ConfigHome() + "/Wakelatch/drives";
    }
}

LinuxDrivePlatform::Snapshot LinuxDrivePlatform::Read() {
    Snapshot snapshot{linux_mounts::ParseMountInfo(ReadWholeFile(paths_.mountInfo)),
                      linux_mounts::ParseFstab(ReadWholeFile(paths_.fstab)),
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
        path, [=]() -> std::optional<struct statvfs> {
            struct statvfs result {};
            if (!MountAnswers(path, deviceMajor, deviceMinor) || statvfs(path.c_str(), &result) != 0) {
                return std::nullopt;
            }
            return result;
        });
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
    std::string blockDevice;
    if (const auto device = linux_drives::BackingBlockDevice(*mount, devices_)) {
        const std::string name = devices_.Name(device->first, device->second);
        if (!name.empty() && access(("/dev/" + name).c_str(), R_OK) == 0) {
            blockDevice = "/dev/" + name;
        }
    }
    TouchRecord& record = touchRecords_[mountPoint];
    const std::string path = mountPoint;
    const unsigned deviceMajor = mount->deviceMajor;
    const unsigned deviceMinor = mount->deviceMinor;
    const bool preferDevice = ServedByAProcess(mount->fsType) && !blockDevice.empty();
    const auto file = record.file;
    const std::uint64_t touchNumber = record.touches++;
    const auto result = deadline_.Run<TouchResult>(path, [=] {
        return TouchMount(path, deviceMajor, deviceMinor, preferDevice, blockDevice, file, touchNumber);
    });
    if (!result) {
        return false;
    }
    record.file = result->file;
    return result->reached;
}

}  // namespace wakelatch::platform
