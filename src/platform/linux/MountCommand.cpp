#include "platform/linux/MountCommand.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <vector>

extern char** environ;

namespace wakelatch::platform::linux_drives {
namespace {

// Waits for the child up to the limit; true when it ended (status filled in).
bool WaitWithLimit(pid_t child, std::chrono::milliseconds limit, int& status) {
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    if (pidfd >= 0) {
        pollfd watch{pidfd, POLLIN, 0};
        const int ready = poll(&watch, 1, static_cast<int>(limit.count()));
        close(pidfd);
        return ready > 0 && waitpid(child, &status, 0) == child;
    }
    // Kernels without pidfd: look every 20 ms.
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(child, &status, WNOHANG) == child) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

}  // namespace

int RunMount(const std::string& mountPoint, const std::string& fstabFile, std::chrono::milliseconds limit) {
    std::vector<std::string> arguments = {"mount"};
    if (!fstabFile.empty()) {
        arguments.insert(arguments.end(), {"--fstab", fstabFile});
    }
    arguments.insert(arguments.end(), {"--", mountPoint});
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY,
                                         0);
    }
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, "mount", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return kMountNotStarted;
    }
    int status = 0;
    if (!WaitWithLimit(child, limit, status)) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return kMountTimedOut;
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status) == 127 ? kMountNotStarted : WEXITSTATUS(status);
    }
    return kMountNotStarted;
}

}  // namespace wakelatch::platform::linux_drives
