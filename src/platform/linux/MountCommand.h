#pragma once

#include <chrono>
#include <string>

namespace wakelatch::platform::linux_drives {

inline constexpr int kMountNotStarted = 127;  // the mount program could not be started
inline constexpr int kMountTimedOut = 1460;   // it did not finish in time and was killed

// Runs `PROGRAM [--fstab FILE] -- MOUNTPOINT` (PROGRAM is the mount program) without a shell, input from
// /dev/null and output discarded, in a process group of its own, and waits at most `limit`; after that
// the whole group (mount helpers, ssh, ...) is killed. Returns the exit status (0 = mounted), or one of
// the codes above.
int RunMount(const std::string& program, const std::string& mountPoint, const std::string& fstabFile,
             std::chrono::milliseconds limit);

}  // namespace wakelatch::platform::linux_drives
