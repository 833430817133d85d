#pragma once

#include <string>

#include "platform/DrivePlatform.h"

namespace wakelatch {

// The touch of one drive: it becomes the current drive, its free space is queried and its device read.
// Nothing is touched for an empty drive text. `reach`, when given, receives what the read came to.
void TouchDrive(platform::DrivePlatform& drives, const std::string& drive,
                platform::DeviceReach* reach = nullptr);

}  // namespace wakelatch
