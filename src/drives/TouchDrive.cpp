#include "drives/TouchDrive.h"

#include <cctype>

namespace wakelatch {
namespace {

constexpr std::int64_t kScale = 10000;
constexpr std::int64_t kBytesPerMegabyte = 1048576;

// Integer division rounded half to even, for a positive denominator.
std::int64_t DivideRoundingHalfToEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {
        remainder += denominator;
        --quotient;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

}  // namespace

Fixed4 Fixed4::FromRatio(std::int64_t numerator, std::int64_t denominator) {
    return {DivideRoundingHalfToEven(numerator * kScale, denominator)};
}

std::int64_t Fixed4::WholePart() const {
    std::int64_t whole = tenThousandths / kScale;
    if (tenThousandths % kScale < 0) {
        --whole;
    }
    return whole;
}

Fixed4 TouchDrive(platform::DrivePlatform& drives, const std::string& drive, bool inGigabytes, bool whole,
                  platform::DeviceReach* reach) {
    std::string letterAndColon = drive.substr(0, 2);
    for (char& c : letterAndColon) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    drives.SetCurrentDrive(letterAndColon);
    if (drive.empty()) {
        return {};
    }
    platform::DiskFreeSpace space;
    const bool queried = drives.GetDiskFreeSpace(space);
    // The query alone is answered from memory on a warm system; the device must see a real read.
    const platform::DeviceReach reached = drives.ReachDevice(letterAndColon);
    if (reach != nullptr) {
        *reach = reached;
    }
    if (!queried) {
        return {};
    }
    const Fixed4 megabytesPerCluster = Fixed4::FromRatio(
        static_cast<std::int64_t>(space.bytesPerSector * space.sectorsPerCluster), kBytesPerMegabyte);
    Fixed4 free{static_cast<std::int64_t>(space.freeClusters) * megabytesPerCluster.tenThousandths};
    if (inGigabytes) {
        free.tenThousandths = DivideRoundingHalfToEven(free.tenThousandths, 1024);
    }
    if (whole) {
        free.tenThousandths = free.WholePart() * kScale;
    }
    return free;
}

}  // namespace wakelatch
