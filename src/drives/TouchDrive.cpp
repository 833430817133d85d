#include "drives/TouchDrive.h"

#include <cctype>

namespace wakelatch {

void TouchDrive(platform::DrivePlatform& drives, const std::string& drive, platform::DeviceReach* reach) {
    std::string letterAndColon = drive.substr(0, 2);
    for (char& c : letterAndColon) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    drives.SetCurrentDrive(letterAndColon);
    if (drive.empty()) {
        return;
    }
    platform::DiskFreeSpace space;
    drives.GetDiskFreeSpace(space);
    // The query alone is answered from memory on a warm system; the device must see a real read.
    const platform::DeviceReach reached = drives.ReachDevice(letterAndColon);
    if (reach != nullptr) {
        *reach = reached;
    }
}

}  // namespace wakelatch
