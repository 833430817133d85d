#include "platform/linux/LinuxFileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/AtomicFile.h"
#include "platform/linux/XdgPaths.h"

namespace wakelatch::platform {

bool LinuxFileSystem::Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// The folders made here (the help folder) receive files of fixed names: each is the user's own.
bool LinuxFileSystem::MakeDirectories(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return linux_xdg::MakeOwnFolder(path);
}

bool LinuxFileSystem::ReplaceFile(const std::string& path, const unsigned char* data, std::size_t size) {
    return linux_files::WriteFileAtomically(path, std::string(reinterpret_cast<const char*>(data), size),
                                            0600);
}

bool LinuxFileSystem::Remove(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

}  // namespace wakelatch::platform
