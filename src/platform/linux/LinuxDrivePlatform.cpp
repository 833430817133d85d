#include "platform/linux/LinuxDrivePlatform.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "platform/linux/AtomicFile.h"
#include "platform/linux/DriveHelperLocation.h"
#include "platform/linux/MountCommand.h"
#include "platform/linux/RegularFile.h"
#include "platform/linux/VolumeLabel.h"
#include "platform/linux/XdgPaths.h"

namespace wakelatch::platform {
namespace {

using linux_helper::Op;
using linux_helper::Reply;
using linux_helper::Request;
using linux_mounts::MountEntry;

// The failure code of a request for a letter that stands for no drive (the platform's "bad device").
constexpr int kNoSuchDevice = 1200;
constexpr int kSearchEntries = 4000;
// What a killed mount program and its helpers may take beyond the mount limit before the wait ends.
constexpr std::chrono::milliseconds kKillMargin{2000};

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

dev_t DeviceOf(const MountEntry& mount) {
    return makedev(mount.deviceMajor, mount.deviceMinor);
}

// A filesystem whose files are served by a process (FUSE) may answer from that process's own cache; the
// block device beneath, where there is one, is the sure way to the device.
bool ServedByAProcess(const std::string& fsType) {
    return fsType.rfind("fuse", 0) == 0;
}

// Nothing serves the mount any more (its FUSE process died, its transport broke): it is no connection.
// A server that merely does not answer is not this: its calls hang, and the mount is left alone.
bool Dead(const std::optional<Reply>& reply) {
    return reply && (reply->status == ENOTCONN || reply->status == EIO);
}

std::vector<int> MountIdsAt(const std::vector<MountEntry>& mounts, const std::string& mountPoint) {
    std::vector<int> ids;
    for (const MountEntry& mount : mounts) {
        if (mount.mountPoint == mountPoint) {
            ids.push_back(mount.mountId);
        }
    }
    return ids;
}

}  // namespace

LinuxDrivePlatform::LinuxDrivePlatform(LinuxDrivePaths paths, Awaiter& awaiter)
    : paths_(std::move(paths)),
      gate_(awaiter),
      helper_(paths_.helperProgram.empty() ? linux_helper::DriveHelperOfThisProgram()
                                           : paths_.helperProgram) {
    if (paths_.driveMap.empty()) {
        paths_.driveMap = linux_xdg::ConfigHome() + "/Wakelatch/drives";
    }
}

void LinuxDrivePlatform::Survey() {
    auto view = std::make_shared<View>(paths_.sysfs);
    view->mounts = linux_mounts::ParseMountInfo(linux_files::ReadWholeFile(paths_.mountInfo));
    view->fstab = linux_mounts::ParseFstab(linux_files::ReadWholeFile(paths_.fstab));
    const std::optional<std::string> mapText = ReadFileIfPresent(paths_.driveMap);
    // A map that is there but cannot be used is left as it is: new letters from scratch would move every
    // drive and make the saved selection name other disks. The letters known so far serve, and new
    // drives get letters in memory only.
    view->map = mapText ? linux_drives::DriveMap::Parse(*mapText)
                        : lastMap_.value_or(linux_drives::DriveMap::Parse(""));
    const auto newDrives =
        linux_drives::DriveMountPoints(view->mounts, view->fstab, view->devices, view->map.MountPoints());
    if (view->map.AssignLetters(newDrives) && mapText) {
        const std::string folder = paths_.driveMap.substr(0, paths_.driveMap.rfind('/'));
        linux_xdg::MakeDirectories(folder);
        linux_files::WriteFileAtomically(paths_.driveMap, view->map.Text(), 0600);
    }
    lastMap_ = view->map;
    view_ = std::move(view);
}

std::shared_ptr<const LinuxDrivePlatform::View> LinuxDrivePlatform::Current() {
    if (!view_) {
        Survey();
    }
    return view_;
}

std::optional<MountEntry> LinuxDrivePlatform::PresentMount(const View& view, char letter) const {
    const auto mapped = view.map.MountPointOf(letter);
    if (!mapped) {
        return std::nullopt;
    }
    const MountEntry* mount = linux_drives::MountAt(view.mounts, *mapped);
    if (mount == nullptr || linux_drives::DeviceGone(*mount, view.devices)) {
        return std::nullopt;
    }
    return *mount;
}

std::optional<Reply> LinuxDrivePlatform::Ask(const std::string& key, const Request& request) {
    return gate_.Call<Reply>(key, paths_.callLimit,
                             [&](CallGate::Done<Reply> done) { helper_.Send(request, std::move(done)); });
}

std::optional<Reply> LinuxDrivePlatform::Probe(const MountEntry& mount, bool withLabel) {
    Request request;
    request.op = Op::Probe;
    request.path = mount.mountPoint;
    request.device = DeviceOf(mount);
    request.number = withLabel ? 1 : 0;
    return Ask(mount.mountPoint, request);
}

std::optional<std::string> LinuxDrivePlatform::MountPointOf(char letter) {
    return Current()->map.MountPointOf(letter);
}

int LinuxDrivePlatform::GetDriveType(const std::string& root) {
    const char letter = LetterOfRoot(root);
    if (letter == 0) {
        return kDriveNoRoot;
    }
    const auto view = Current();
    const auto mountPoint = view->map.MountPointOf(letter);
    if (!mountPoint) {
        return kDriveNoRoot;
    }
    return linux_drives::ClassifyMountPoint(view->mounts, view->fstab, view->devices, *mountPoint);
}

std::string LinuxDrivePlatform::LabelOf(const View& view, const MountEntry& mount,
                                        const std::string& fromFilesystem) const {
    if (!fromFilesystem.empty()) {
        return fromFilesystem;
    }
    if (const auto device = linux_drives::BackingBlockDevice(mount, view.devices)) {
        if (auto label = linux_drives::RecordedDeviceLabel(device->first, device->second,
                                                           {paths_.udevData, paths_.labelLinks})) {
            return *label;
        }
    }
    return mount.mountPoint;
}

bool LinuxDrivePlatform::GetVolumeInformation(const std::string& root, std::string& label) {
    const char letter = LetterOfRoot(root);
    if (letter == 0 || root.size() != 3) {
        return false;
    }
    const auto view = Current();
    const auto mount = PresentMount(*view, letter);
    if (!mount) {
        return false;
    }
    // A list row asks several times; the volume is asked once per look at the system.
    const auto known = view->volumes.find(mount->mountPoint);
    std::optional<std::string> answer;
    if (known != view->volumes.end()) {
        answer = known->second;
    } else {
        const auto reply = Probe(*mount, true);
        if (reply && reply->status == 0) {
            answer = LabelOf(*view, *mount, reply->text);
        }
        view->volumes[mount->mountPoint] = answer;
    }
    if (answer) {
        label = *answer;
    }
    return answer.has_value();
}

MappingValue LinuxDrivePlatform::ReadNetworkMapping(char letter) {
    const auto view = Current();
    const auto mountPoint = view->map.MountPointOf(letter);
    if (!mountPoint) {
        return {};
    }
    const MountEntry* mount = linux_drives::MountAt(view->mounts, *mountPoint);
    if (mount != nullptr && linux_mounts::IsNetworkFilesystem(mount->fsType)) {
        return {MappingValue::Kind::Text, mount->source};
    }
    if (const auto* entry = linux_mounts::FindNetworkEntry(view->fstab, *mountPoint)) {
        return {MappingValue::Kind::Text, entry->spec};
    }
    return {};
}

bool LinuxDrivePlatform::Unmount(const std::string& mountPoint, bool fuse) {
    const auto limit = paths_.callLimit;
    return gate_
        .Run<bool>("unmount " + mountPoint, limit + kKillMargin,
                   [=] { return linux_drives::RunLazyUnmount(mountPoint, fuse, limit); })
        .value_or(false);
}

void LinuxDrivePlatform::RemoveMountsAddedSince(const std::string& mountPoint,
                                                const std::vector<int>& mountIdsBefore) {
    const auto mounts = linux_mounts::ParseMountInfo(linux_files::ReadWholeFile(paths_.mountInfo));
    // An unmount goes by path and so takes whatever is on top there: the new mounts are taken from the
    // top down, and only while the one on top does not work. One that works may be the user's own, made
    // while the request ran (the request then failed as "already mounted"); it stays, and so does all
    // beneath it.
    for (auto it = mounts.rbegin(); it != mounts.rend(); ++it) {
        if (it->mountPoint != mountPoint) {
            continue;
        }
        if (std::find(mountIdsBefore.begin(), mountIdsBefore.end(), it->mountId) != mountIdsBefore.end()) {
            return;
        }
        const auto reply = Probe(*it, false);
        if (reply && (reply->status == 0 || reply->status == linux_helper::kNotOnDrive)) {
            return;  // it works, or something else is on top by now
        }
        Unmount(mountPoint, ServedByAProcess(it->fsType));
    }
}

int LinuxDrivePlatform::UseConnection(const std::string& localName, const std::string& /*remotePath*/) {
    const char letter = LetterOfRoot(localName);
    const auto view = Current();
    const auto mountPoint = letter != 0 ? view->map.MountPointOf(letter) : std::nullopt;
    if (!mountPoint) {
        return kNoSuchDevice;
    }
    if (const MountEntry* mount = linux_drives::MountAt(view->mounts, *mountPoint)) {
        // Still connected, or hanging (a frozen server): that is the user's mount, left alone.
        const MountEntry present = *mount;
        if (!Dead(Probe(present, false))) {
            return kAlreadyAssigned;
        }
        // Nothing serves it any more: taken away, so that it can be mounted again.
        Unmount(present.mountPoint, ServedByAProcess(present.fsType));
    }
    const std::vector<int> before =
        MountIdsAt(linux_mounts::ParseMountInfo(linux_files::ReadWholeFile(paths_.mountInfo)), *mountPoint);
    // mount finds what to mount in fstab; name the file when it is not the system's own.
    const std::string fstab = paths_.fstab == "/etc/fstab" ? std::string() : paths_.fstab;
    const auto limit = paths_.mountLimit;
    const int result = gate_
                           .Run<int>("mount " + *mountPoint, limit + kKillMargin,
                                     [program = paths_.mountProgram, point = *mountPoint, fstab, limit] {
                                         return linux_drives::RunMount(program, point, fstab, limit);
                                     })
                           .value_or(linux_drives::kMountTimedOut);
    if (result != kConnected) {
        // A request that failed or ran out of time may have left a mount that nothing serves.
        RemoveMountsAddedSince(*mountPoint, before);
    }
    Survey();  // what the request changed shows in the rows built next
    return result;
}

bool LinuxDrivePlatform::SetCurrentDrive(const std::string& drive) {
    const char letter = LetterOfRoot(drive);
    if (letter == 0 || !PresentMount(*Current(), letter)) {
        return false;
    }
    currentDrive_ = letter;
    return true;
}

bool LinuxDrivePlatform::GetDiskFreeSpace(DiskFreeSpace& space) {
    const auto mount = PresentMount(*Current(), currentDrive_);
    if (!mount) {
        return false;
    }
    const auto reply = Probe(*mount, false);
    if (!reply || reply->status != 0) {
        return false;
    }
    space.bytesPerSector = reply->blockSize;
    space.sectorsPerCluster = 1;
    space.freeClusters = reply->freeBlocks;
    space.totalClusters = reply->totalBlocks;
    return true;
}

DeviceReach LinuxDrivePlatform::ReachDevice(const std::string& drive) {
    using Miss = DeviceReach::Miss;
    const char letter = LetterOfRoot(drive);
    const auto view = Current();
    const auto mount = letter == 0 ? std::nullopt : PresentMount(*view, letter);
    if (!mount) {
        return DeviceReach::Missed(Miss::DriveGone);  // unmounted or unplugged: there is nothing to touch
    }
    const auto backing = linux_drives::BackingBlockDevice(*mount, view->devices);
    std::string blockDevice;
    if (backing && paths_.useBlockDevices) {
        const std::string node = "/dev/" + view->devices.Name(backing->first, backing->second);
        if (access(node.c_str(), R_OK) == 0) {
            blockDevice = node;
        }
    }
    auto& slot = touchRecords_[mount->mountPoint];
    if (!slot) {
        slot = std::make_shared<TouchRecord>();
    }
    const std::shared_ptr<TouchRecord> record = slot;
    std::uint64_t touchNumber = 0;
    {
        const std::lock_guard lock(record->mutex);
        touchNumber = record->touches++;
    }
    const auto outcome = [&](const std::optional<Reply>& reply, DeviceReach::Route route) {
        if (!reply) {
            return DeviceReach::Missed(Miss::NoAnswer, paths_.callLimit);
        }
        return reply->status == 0 ? DeviceReach::Read(route, linux_drives::kTouchSize)
                                  : DeviceReach::Missed(Miss::ReadFailed);
    };
    // The block device where it may be read; without it, `otherwise` says why the drive was not reached.
    const auto touchDevice = [&](DeviceReach otherwise) {
        if (blockDevice.empty()) {
            return otherwise;
        }
        Request request;
        request.op = Op::TouchDevice;
        request.path = blockDevice;
        request.number = touchNumber;
        return outcome(Ask(mount->mountPoint, request), DeviceReach::Route::BlockDevice);
    };
    if (ServedByAProcess(mount->fsType) && backing) {
        // Its files come through a process that may answer from memory; only the device itself will do,
        // and without read access to it the drive cannot be reached.
        return touchDevice(DeviceReach::Missed(Miss::NoReadableFile));
    }
    bool searchAnswered = true;
    const auto file = FileToTouch(record, *mount, searchAnswered);
    DeviceReach fileReach =
        DeviceReach::Missed(searchAnswered ? Miss::NoReadableFile : Miss::NoAnswer, paths_.callLimit);
    if (file) {
        Request request;
        request.op = Op::TouchFile;
        request.path = mount->mountPoint;
        request.file = file->path;
        request.size = file->size;
        request.device = DeviceOf(*mount);
        request.number = linux_drives::TouchOffset(file->size, touchNumber);
        request.mountOptions = mount->options;
        const auto reply = Ask(mount->mountPoint, request);
        fileReach = outcome(reply, DeviceReach::Route::File);
        if (fileReach) {
            return fileReach;
        }
        if (reply && reply->status == linux_helper::kNotOnDrive) {
            // The file went, or the mount did: look for another file next time.
            const std::lock_guard lock(record->mutex);
            record->searched = false;
            record->file.reset();
            fileReach = DeviceReach::Missed(Miss::NoReadableFile);
        }
    }
    // No file that can be read without writing (an empty drive, say): the device itself, where readable.
    return touchDevice(fileReach);
}

std::optional<linux_drives::FileOnDrive> LinuxDrivePlatform::FileToTouch(
    const std::shared_ptr<TouchRecord>& record, const MountEntry& mount, bool& answered) {
    const dev_t device = DeviceOf(mount);
    {
        const std::lock_guard lock(record->mutex);
        if (record->device != device) {
            // Another filesystem is mounted there now.
            record->device = device;
            record->searching = false;
            record->searched = false;
            record->file.reset();
        }
        if (record->searched || record->searching) {
            answered = !record->searching;  // a search still out ran past its deadline before
            return record->file;
        }
        record->searching = true;
    }
    // The search is one more call under the gate. On a slow share it may take longer than the wait; what
    // it finds then is kept for the next touch, which picks it up without waiting again.
    Request request;
    request.op = Op::FindFile;
    request.path = mount.mountPoint;
    request.device = device;
    request.number = kSearchEntries;
    request.mountOptions = mount.options;
    bool started = false;
    answered = gate_
                   .Call<Reply>(
                       mount.mountPoint, paths_.callLimit,
                       [&](CallGate::Done<Reply> done) {
                           started = true;
                           helper_.Send(request, [record, device,
                                                  done = std::move(done)](std::optional<Reply> reply) {
                               {
                                   const std::lock_guard lock(record->mutex);
                                   if (record->device == device && record->searching) {
                                       record->searching = false;
                                       record->searched = reply.has_value();
                                       if (reply && reply->status == 0) {
                                           record->file = linux_drives::FileOnDrive{reply->text, reply->size};
                                       }
                                   }
                               }
                               done(std::move(reply));
                           });
                       })
                   .has_value();
    const std::lock_guard lock(record->mutex);
    if (!started && record->device == device) {
        record->searching = false;  // the mount is stuck: no search was started
    }
    return record->file;
}

}  // namespace wakelatch::platform
