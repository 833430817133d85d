#include "platform/linux/LinuxPrograms.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/linux/ChildProcess.h"

extern char** environ;

namespace wakelatch::platform {
namespace {

constexpr int kStillActive = 259;
constexpr auto kViewerQueryLimit = std::chrono::milliseconds(3000);

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Starts arguments[0] (a path) without a shell; 0 or the error number. The child's standard output goes
// to `output` when that is an open descriptor, else it shares ours; its errors follow its output.
int Spawn(std::vector<std::string> arguments, pid_t& child, int output = -1) {
    std::vector<char*> argv = linux_process::ArgumentVector(arguments);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (output >= 0) {
        posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    // A session of its own: the terminal's and our process group's signals are not the child's. The
    // signals this program catches or blocks are the child's to handle as it pleases.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t ours;
    sigemptyset(&ours);
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGCHLD}) {
        sigaddset(&ours, signalNumber);
    }
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &ours);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const int spawned = posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return spawned;
}

// Starts the program and leaves it running; it is reaped when it ends.
bool StartDetached(std::vector<std::string> arguments) {
    pid_t child = 0;
    if (Spawn(std::move(arguments), child) != 0) {
        return false;
    }
    linux_process::ReapWhenEnded(child);
    return true;
}

int ExitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

LinuxPrograms::LinuxPrograms(std::string searchPath) : searchPath_(std::move(searchPath)) {}

std::string LinuxPrograms::SearchPathOfEnvironment() {
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
}

std::optional<std::string> LinuxPrograms::Find(std::string_view program) const {
    if (program.find('/') != std::string_view::npos) {
        return IsExecutableFile(std::string(program)) ? std::optional<std::string>(program) : std::nullopt;
    }
    // Only absolute folders: a relative one would make the choice depend on the working folder.
    std::size_t begin = 0;
    while (begin <= searchPath_.size()) {
        const std::size_t end = std::min(searchPath_.find(':', begin), searchPath_.size());
        const std::string folder = searchPath_.substr(begin, end - begin);
        if (!folder.empty() && folder[0] == '/') {
            std::string candidate = folder + (folder.back() == '/' ? "" : "/") + std::string(program);
            if (IsExecutableFile(candidate)) {
                return candidate;
            }
        }
        begin = end + 1;
    }
    return std::nullopt;
}

bool LinuxPrograms::Start(const std::string& path) {
    const auto program = Find(path);
    return program && StartDetached({*program});
}

int LinuxPrograms::RunAndWait(const std::string& commandLine, std::chrono::milliseconds limit) {
    const std::size_t blank = commandLine.find(' ');
    std::vector<std::string> arguments = {commandLine.substr(0, blank)};
    if (blank != std::string::npos) {
        arguments.push_back(commandLine.substr(blank + 1));
    }
    const auto program = Find(arguments[0]);
    if (!program) {
        return ENOENT;
    }
    arguments[0] = *program;
    pid_t child = 0;
    if (const int failure = Spawn(std::move(arguments), child); failure != 0) {
        return failure;
    }
    int status = 0;
    if (!linux_process::WaitWithLimit(child, limit, status)) {
        linux_process::ReapWhenEnded(child);  // left running, as the caller does not wait further
        return kStillActive;
    }
    return ExitCodeOf(status);
}

std::optional<std::string> LinuxPrograms::FindSystemInformation() {
    for (const std::string_view tool : kSystemInfoTools) {
        if (auto path = Find(tool)) {
            return path;
        }
    }
    return std::nullopt;
}

bool LinuxPrograms::OpenHelpFile(const std::string& path) {
    if (access(path.c_str(), F_OK) != 0 || !HelpViewerRegistered()) {
        return false;
    }
    const auto opener = Find("xdg-open");
    return opener && StartDetached({*opener, path});
}

bool LinuxPrograms::HelpViewerRegistered() {
    if (helpViewerRegistered_) {
        return *helpViewerRegistered_;
    }
    helpViewerRegistered_ = false;
    const auto query = Find("xdg-mime");
    int answer[2];
    if (!query || pipe2(answer, O_CLOEXEC) != 0) {
        return false;
    }
    // Read once the query has ended; a process it left behind may still hold the pipe open.
    fcntl(answer[0], F_SETFL, O_NONBLOCK);
    pid_t child = 0;
    const int spawned = Spawn({*query, "query", "default", "application/vnd.ms-htmlhelp"}, child, answer[1]);
    close(answer[1]);
    int status = 0;
    if (spawned == 0 && !linux_process::WaitWithLimit(child, kViewerQueryLimit, status)) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        status = -1;
    }
    std::string desktopFile;
    char buffer[256];
    for (ssize_t got = 0; spawned == 0 && (got = read(answer[0], buffer, sizeof buffer)) > 0;) {
        desktopFile.append(buffer, static_cast<std::size_t>(got));
    }
    close(answer[0]);
    const bool named = desktopFile.find_first_not_of(" \t\r\n") != std::string::npos;
    helpViewerRegistered_ = spawned == 0 && status == 0 && named;
    return *helpViewerRegistered_;
}

}  // namespace wakelatch::platform
