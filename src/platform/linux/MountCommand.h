#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace wakelatch::platform::linux_drives {

inline constexpr int kMountNotStarted = 127;  // the mount program could not be started
inline constexpr int kMountTimedOut = 1460;   // it did not finish in time and was killed

// Runs `PROGRAM [--fstab FILE] -- MOUNTPOINT` (PROGRAM is the mount program) without a shell, input from
// /dev/null and output discarded, in a process group of its own, and waits at most `limit`; after that
// the whole group (mount helpers, ssh, ...) is killed. Returns the exit status (0 = mounted), or one of
// the codes above.
int RunMount(const std::string& program, const std::string& mountPoint, const std::string& fstabFile,
             std::chrono::milliseconds limit);

// Takes away whatever is mounted at the mount point without touching its filesystem, which may not answer:
// `fusermount -u -z` for a FUSE mount (which its user may take away), else `umount -l`, each as a child
// process that is killed after `limit`. True when one of them succeeded.
bool RunLazyUnmount(const std::string& mountPoint, bool fuse, std::chrono::milliseconds limit);

// Runs the program (arguments[0], an absolute path) without a shell as RunMount does; its exit status, or
// one of the codes above.
int RunProgram(std::vector<std::string> arguments, std::chrono::milliseconds limit);

}  // namespace wakelatch::platform::linux_drives
