#pragma once

#include <cstdint>
#include <string>

#include "platform/DrivePlatform.h"

namespace wakelatch {

// A number with four decimals, kept as an integer count of ten-thousandths (the program's currency).
struct Fixed4 {
    std::int64_t tenThousandths = 0;

    static Fixed4 FromRatio(std::int64_t numerator, std::int64_t denominator);  // rounded half to even
    double ToDouble() const { return static_cast<double>(tenThousandths) / 10000.0; }
    std::int64_t WholePart() const;  // rounded toward negative infinity
    bool operator==(const Fixed4&) const = default;
};

// The touch of one drive: it becomes the current drive, its free space is queried and its device read.
// Returns the free space in megabytes (gigabytes when inGigabytes), cut to whole units when whole; 0 when
// the drive text is empty or the query fails. `reach`, when given, receives what the read came to.
Fixed4 TouchDrive(platform::DrivePlatform& drives, const std::string& drive, bool inGigabytes, bool whole,
                  platform::DeviceReach* reach = nullptr);

}  // namespace wakelatch
