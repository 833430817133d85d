#include "platform/windows/WindowsDrivePlatform.h"

#include <cctype>

#include "platform/windows/NetworkDrives.h"
#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

namespace wakelatch::platform {
namespace {

// The platform's own codes for a letter that stands for no drive and for a request that took too long.
constexpr int kBadDevice = ERROR_BAD_DEVICE;
constexpr int kTimedOut = ERROR_TIMEOUT;
constexpr DWORD kNameBuffer = 256;

// "E:\", "E:" or "e" → 'E'; anything else → 0.
char LetterOf(const std::string& drive) {
    if (drive.empty() || !std::isalpha(static_cast<unsigned char>(drive[0])) ||
        (drive.size() > 1 && drive[1] != ':')) {
        return 0;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0])));
}

std::string RootOf(char letter) {
    return std::string(1, letter) + ":\\";
}

bool HasDrive(char letter) {
    return letter != 0 && GetDriveTypeA(RootOf(letter).c_str()) != DRIVE_NO_ROOT_DIR;
}

// GetDiskFreeSpaceA on the root; the sector size also sets what a touch reads.
std::optional<DiskFreeSpace> FreeSpaceOf(const std::string& root) {
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters)) {
        return std::nullopt;
    }
    return DiskFreeSpace{sectorsPerCluster, bytesPerSector, freeClusters, totalClusters};
}

}  // namespace

WindowsDrivePlatform::WindowsDrivePlatform(Awaiter& awaiter, WindowsDriveOptions options)
    : options_(std::move(options)),
      canceller_(std::make_shared<win_drives::DriveCallCanceller>()),
      gate_(awaiter) {}

WindowsDrivePlatform::~WindowsDrivePlatform() {
    canceller_->CancelAll();
}

template <typename Result>
std::optional<Result> WindowsDrivePlatform::OnDrive(const std::string& key, std::chrono::milliseconds limit,
                                                    std::function<std::optional<Result>()> work) {
    return gate_
        .Run<std::optional<Result>>(
            key, limit,
            [canceller = canceller_, work = std::move(work)] {
                return canceller->Run<std::optional<Result>>(work).value_or(std::nullopt);
            })
        .value_or(std::nullopt);
}

int WindowsDrivePlatform::GetDriveType(const std::string& root) {
    const char letter = LetterOf(root);
    return letter == 0 ? kDriveNoRoot : static_cast<int>(GetDriveTypeA(RootOf(letter).c_str()));
}

bool WindowsDrivePlatform::GetVolumeInformation(const std::string& root, std::string& label) {
    const char letter = LetterOf(root);
    if (!HasDrive(letter)) {
        return false;
    }
    const std::string path = RootOf(letter);
    const auto name = OnDrive<std::string>(path, options_.callLimit, [path]() -> std::optional<std::string> {
        char name[kNameBuffer] = {};
        char fileSystem[kNameBuffer] = {};
        DWORD serial = 0;
        DWORD longestName = 0;
        DWORD flags = 0;
        if (!GetVolumeInformationA(path.c_str(), name, kNameBuffer, &serial, &longestName, &flags, fileSystem,
                                   kNameBuffer)) {
            return std::nullopt;
        }
        name[kNameBuffer - 1] = '\0';
        return std::string(name);
    });
    if (name) {
        label = utf::FromAnsi(*name);
    }
    return name.has_value();
}

MappingValue WindowsDrivePlatform::ReadNetworkMapping(char letter) {
    const char upper = LetterOf(std::string(1, letter));
    return upper == 0 ? MappingValue{} : win_drives::ReadNetworkMapping(upper);
}

int WindowsDrivePlatform::UseConnection(const std::string& localName, const std::string& remotePath) {
    const char letter = LetterOf(localName);
    if (letter == 0) {
        return kBadDevice;
    }
    const std::string local = std::string(1, letter) + ":";
    return OnDrive<int>("connect " + local, options_.connectLimit,
                        [local, remotePath]() -> std::optional<int> {
                            return win_drives::ConnectDrive(local, remotePath);
                        })
        .value_or(kTimedOut);
}

bool WindowsDrivePlatform::SetCurrentDrive(const std::string& drive) {
    const char letter = LetterOf(drive);
    if (!HasDrive(letter)) {
        return false;
    }
    currentDrive_ = letter;
    return true;
}

bool WindowsDrivePlatform::GetDiskFreeSpace(DiskFreeSpace& space) {
    const std::string root = RootOf(currentDrive_);
    const auto answer =
        OnDrive<DiskFreeSpace>(root, options_.callLimit, [root] { return FreeSpaceOf(root); });
    if (answer) {
        space = *answer;
    }
    return answer.has_value();
}

DeviceReach WindowsDrivePlatform::ReachDevice(const std::string& drive) {
    const char letter = LetterOf(drive);
    if (!HasDrive(letter)) {
        return DeviceReach::Missed(DeviceReach::Miss::DriveGone);  // nothing there to touch
    }
    auto& slot = touchRecords_[letter];
    if (!slot) {
        slot = std::make_shared<TouchRecord>();
    }
    const std::string root = RootOf(letter);
    return OnDrive<DeviceReach>(
               root, options_.callLimit,
               [root, record = slot, calls = options_.fileCalls]() -> std::optional<DeviceReach> {
                   return Touch(root, *record, calls);
               })
        .value_or(DeviceReach::Missed(DeviceReach::Miss::NoAnswer, options_.callLimit));
}

DeviceReach WindowsDrivePlatform::Touch(const std::string& root, TouchRecord& record,
                                        const win_drives::FileCalls& calls) {
    const auto volume = FreeSpaceOf(root);
    if (!volume) {
        return DeviceReach::Missed(DeviceReach::Miss::ReadFailed);  // there, but it does not answer
    }
    const std::wstring wideRoot = utf::Widen(root);
    const auto block = win_drives::TouchBlock(static_cast<std::uint32_t>(volume->bytesPerSector));
    std::optional<win_drives::FileToTouch> file;
    std::uint64_t touchNumber = 0;
    {
        const std::lock_guard lock(record.mutex);
        file = record.file;
        touchNumber = record.touches++;
    }
    // The file of the last touch serves while it still qualifies, at its size of now: it may have been
    // rewritten meanwhile.
    if (file) {
        const auto size = win_drives::SizeIfStillToTouch(file->path);
        if (size) {
            file->size = *size;
        } else {
            file.reset();
        }
    }
    if (!file) {
        file = win_drives::FindFileToTouch(wideRoot, block);
    }
    const bool read =
        file && win_drives::ReadUnbuffered(
                    file->path, win_drives::TouchOffset(file->size, block, touchNumber), block, calls);
    const std::lock_guard lock(record.mutex);
    record.file = read ? file : std::nullopt;
    if (read) {
        return DeviceReach::Read(DeviceReach::Route::File, block);
    }
    return DeviceReach::Missed(file ? DeviceReach::Miss::ReadFailed : DeviceReach::Miss::NoReadableFile);
}

}  // namespace wakelatch::platform
