#include "platform/linux/ChildProcess.h"

#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <thread>

namespace wakelatch::platform::linux_process {

std::vector<char*> ArgumentVector(std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return argv;
}

bool WaitWithLimit(pid_t child, std::chrono::milliseconds limit, int& status) {
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    if (pidfd >= 0) {
        const auto end = std::chrono::steady_clock::now() + limit;
        int ready = 0;
        do {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            pollfd watch{pidfd, POLLIN, 0};
            ready = poll(&watch, 1, static_cast<int>(std::max<std::int64_t>(0, left.count())));
        } while (ready < 0 && errno == EINTR);  // a signal to the program is no reason to give up
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

void ReapWhenEnded(pid_t child) {
    // waitpid on this one child only: children that others (Qt's process handling) wait for are left to them.
    std::thread([child] {
        while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

}  // namespace wakelatch::platform::linux_process
