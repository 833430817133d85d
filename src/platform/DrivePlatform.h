#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace wakelatch::platform {

// Drive kinds as the platform reports them for a root such as "E:\".
enum DriveType : int {
    kDriveUnknown = 0,
    kDriveNoRoot = 1,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdRom = 5,
    kDriveRamDisk = 6,
};

// What the user's persistent mapping store holds for a drive letter.
struct MappingValue {
    enum class Kind { Absent, Text, OtherType };
    Kind kind = Kind::Absent;
    std::string text;
};

// Free space of a drive as the platform counts it.
struct DiskFreeSpace {
    std::uint64_t sectorsPerCluster = 0;
    std::uint64_t bytesPerSector = 0;
    std::uint64_t freeClusters = 0;
    std::uint64_t totalClusters = 0;
};

// What one touch of a drive came to: the device reached, and how, or why not.
struct DeviceReach {
    enum class Route {
        File,         // a file on the drive read past the cache
        BlockDevice,  // the block device under the drive read directly
    };
    enum class Miss {
        None,            // reached
        NoReadableFile,  // no settled file the program may read, and no block device it may read
        DriveGone,       // nothing mounted or attached behind the letter
        NoAnswer,        // the call on the drive ran past its deadline
        ReadFailed,      // the drive answered the read with an error
    };

    Miss miss = Miss::NoReadableFile;
    Route route = Route::File;          // when reached
    std::uint64_t bytes = 0;            // when reached: how much was read from the device
    std::chrono::milliseconds limit{};  // NoAnswer: the deadline that passed

    bool Reached() const { return miss == Miss::None; }
    explicit operator bool() const { return Reached(); }

    static DeviceReach Read(Route route, std::uint64_t bytes) { return {Miss::None, route, bytes, {}}; }
    static DeviceReach Missed(Miss why, std::chrono::milliseconds limit = {}) {
        return {why, Route::File, 0, limit};
    }
};

// Result codes of a connection request.
inline constexpr int kConnected = 0;
inline constexpr int kAlreadyAssigned = 85;

// Drive letters and what lies behind them.
class DrivePlatform {
  public:
    virtual ~DrivePlatform() = default;

    // Takes a fresh look at the system; every query until the next Survey answers from it.
    virtual void Survey() {}

    // The type of the drive at root "X:\"; kDriveNoRoot when the letter has no drive.
    virtual int GetDriveType(const std::string& root) = 0;

    // True when the drive's volume information can be read; `label` then holds its name.
    virtual bool GetVolumeInformation(const std::string& root, std::string& label) = 0;

    // The persistent network mapping of a letter (its remote path).
    virtual MappingValue ReadNetworkMapping(char letter) = 0;

    // Asks for the letter ("F:") to be connected to the remote path. kConnected, kAlreadyAssigned when
    // the letter is in use (typically still connected), any other value a failure.
    virtual int UseConnection(const std::string& localName, const std::string& remotePath) = 0;

    // Makes the drive ("E:") the current drive. On failure the current drive stays what it was.
    virtual bool SetCurrentDrive(const std::string& drive) = 0;
    // The free space of the current drive.
    virtual bool GetDiskFreeSpace(DiskFreeSpace& space) = 0;
    // Reads from the drive ("E:") so that the device itself, not a cache, sees an access. Never writes.
    // Says how the device was reached, or why nothing reached it.
    virtual DeviceReach ReachDevice(const std::string& drive) = 0;
};

}  // namespace wakelatch::platform
