#pragma once

#include <chrono>
#include <string>

namespace wakelatch::platform::linux_drives {

inline constexpr int kMountNotStarted = 127;  // the mount program could not be started
inline constexpr int kMountTimedOut = 1460;   // it did not finish in time and was killed

// Runs `mount [--fstab FILE] -- MOUNTPOINT` without a shell, input from /dev/null and output discarded,
// and waits at most `limit`. Returns mount's exit status (0 = mounted), or one of the codes above.
int RunMount(const std::string& mountPoint, const std::string& fstabFile, std::chrono::milliseconds limit);

}  // namespace wakelatch::platform::linux_drives
