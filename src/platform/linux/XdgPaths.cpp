#include "platform/linux/XdgPaths.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace wakelatch::platform::linux_xdg {
namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return "/";
}

std::string BaseFolder(const char* variable, const char* fallbackBelowHome) {
    if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') {
        return value;
    }
    std::string home = HomeFolder();
    if (home.size() > 1 && home.back() == '/') {
        home.pop_back();
    }
    return (home == "/" ? std::string() : home) + fallbackBelowHome;
}

bool MakeOne(const std::string& path) {
    if (mkdir(path.c_str(), 0700) == 0) {
        return true;
    }
    struct stat info {};
    return errno == EEXIST && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string TempRoot() {
    std::string root = "/tmp";
    if (const char* value = std::getenv("TMPDIR"); value != nullptr && value[0] != '\0') {
        root = value;
    }
    while (root.size() > 1 && root.back() == '/') {
        root.pop_back();
    }
    return root;
}

bool IsFolder(const char* path) {
    struct stat info {};
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string ConfigHome() {
    return BaseFolder("XDG_CONFIG_HOME", "/.config");
}

std::string DataHome() {
    return BaseFolder("XDG_DATA_HOME", "/.local/share");
}

std::string RuntimeFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && runtime[0] != '\0' && IsFolder(runtime)) {
        return runtime;
    }
    // A folder of our own in the temp folder, private and owned by this user; somebody else's is not used.
    const std::string folder = TempRoot() + "/wakelatch-" + std::to_string(getuid());
    mkdir(folder.c_str(), 0700);
    struct stat info {};
    if (lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid()) {
        chmod(folder.c_str(), 0700);
        return folder;
    }
    return HomeFolder();
}

bool MakeDirectories(const std::string& path) {
    if (path.empty() || path[0] != '/') {
        return false;
    }
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        if (!MakeOne(path.substr(0, slash))) {
            return false;
        }
    }
    return MakeOne(path);
}

bool MakePrivateDirectory(const std::string& path) {
    if (!MakeDirectories(path)) {
        return false;
    }
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
        (info.st_mode & 0077) != 0) {
        chmod(path.c_str(), 0700);
    }
    return true;
}

bool MakeOwnFolder(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0 || !MakeDirectories(path.substr(0, slash))) {
        return false;
    }
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid()) {
        return (info.st_mode & 07777) == 0700 || chmod(path.c_str(), 0700) == 0;
    }
    if (!ClearAway(path) || mkdir(path.c_str(), 0700) != 0) {
        return false;
    }
    // mkdir applies the umask; and what was made must still be ours when looked at.
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           chmod(path.c_str(), 0700) == 0;
}

bool ClearAway(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    if (S_ISDIR(info.st_mode) || S_ISREG(info.st_mode)) {
        const std::string aside = path + ".aside." + std::to_string(getpid());
        return renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0;
    }
    return unlink(path.c_str()) == 0;  // a link itself, never what it names
}

}  // namespace wakelatch::platform::linux_xdg
