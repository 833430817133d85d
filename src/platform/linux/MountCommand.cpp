#include "platform/linux/MountCommand.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "platform/linux/ChildProcess.h"

extern char** environ;

namespace wakelatch::platform::linux_drives {

int RunMount(const std::string& program, const std::string& mountPoint, const std::string& fstabFile,
             std::chrono::milliseconds limit) {
    std::vector<std::string> arguments = {program};
    if (!fstabFile.empty()) {
        arguments.insert(arguments.end(), {"--fstab", fstabFile});
    }
    arguments.insert(arguments.end(), {"--", mountPoint});
    return RunProgram(std::move(arguments), limit);
}

bool RunLazyUnmount(const std::string& mountPoint, bool fuse, std::chrono::milliseconds limit) {
    if (fuse) {
        for (const char* program : {"/usr/bin/fusermount3", "/usr/bin/fusermount", "/bin/fusermount"}) {
            if (access(program, X_OK) == 0 &&
                RunProgram({program, "-u", "-z", "--", mountPoint}, limit) == 0) {
                return true;
            }
        }
    }
    for (const char* program : {"/usr/bin/umount", "/bin/umount"}) {
        if (access(program, X_OK) == 0) {
            return RunProgram({program, "-l", "--", mountPoint}, limit) == 0;
        }
    }
    return false;
}

int RunProgram(std::vector<std::string> arguments, std::chrono::milliseconds limit) {
    const std::string program = arguments.front();
    std::vector<char*> argv = linux_process::ArgumentVector(arguments);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY,
                                         0);
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return kMountNotStarted;
    }
    int status = 0;
    if (!linux_process::WaitWithLimit(child, limit, status)) {
        kill(-child, SIGKILL);
        waitpid(child, &status, 0);
        return kMountTimedOut;
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status) == 127 ? kMountNotStarted : WEXITSTATUS(status);
    }
    return kMountNotStarted;
}

}  // namespace wakelatch::platform::linux_drives
