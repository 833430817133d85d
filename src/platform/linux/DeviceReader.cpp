#include "platform/linux/DeviceReader.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <deque>
#include <memory>

namespace wakelatch::platform::linux_drives {
namespace {

constexpr int kMaxDepth = 6;

struct AlignedBuffer {
    AlignedBuffer() {
        if (posix_memalign(&data, kTouchSize, kTouchSize) != 0) {
            data = nullptr;
        }
    }
    ~AlignedBuffer() { std::free(data); }
    AlignedBuffer(const AlignedBuffer&) = delete;
    AlignedBuffer& operator=(const AlignedBuffer&) = delete;
    void* data = nullptr;
};

// Opens read-only without touching the access time where that is allowed (own files, root).
int OpenForReading(const std::string& path, int extraFlags) {
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | extraFlags;
    int fd = open(path.c_str(), flags | O_NOATIME);
    if (fd < 0 && errno == EPERM) {
        fd = open(path.c_str(), flags);
    }
    return fd;
}

bool ReadOnce(int fd, std::uint64_t offset) {
    AlignedBuffer buffer;
    if (buffer.data == nullptr) {
        return false;
    }
    ssize_t got = -1;
    do {
        got = pread(fd, buffer.data, kTouchSize, static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    return got > 0;
}

}  // namespace

std::optional<FileOnDrive> FindFileOnDrive(const std::string& mountPoint, dev_t device, int maxEntries) {
    std::optional<FileOnDrive> best;
    std::deque<std::pair<std::string, int>> folders{{mountPoint, 0}};
    int seen = 0;
    while (!folders.empty() && seen < maxEntries) {
        const auto [folder, depth] = folders.front();
        folders.pop_front();
        const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
        if (folderFd < 0) {
            continue;
        }
        std::unique_ptr<DIR, int (*)(DIR*)> listing(fdopendir(folderFd), closedir);
        if (!listing) {
            close(folderFd);
            continue;
        }
        while (const dirent* entry = readdir(listing.get())) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..") {
                continue;
            }
            if (++seen > maxEntries) {
                break;
            }
            struct stat info {};
            if (fstatat(dirfd(listing.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
                info.st_dev != device) {
                continue;
            }
            const std::string path = folder == "/" ? "/" + name : folder + "/" + name;
            if (S_ISDIR(info.st_mode) && depth < kMaxDepth) {
                folders.emplace_back(path, depth + 1);
            } else if (S_ISREG(info.st_mode) && info.st_size > 0 && access(path.c_str(), R_OK) == 0) {
                const auto size = static_cast<std::uint64_t>(info.st_size);
                if (!best || size > best->size) {
                    best = FileOnDrive{path, size};
                }
                if (size >= kTouchSize) {
                    return best;
                }
            }
        }
    }
    return best;
}

bool StillOnDrive(const FileOnDrive& file, dev_t device) {
    struct stat info {};
    return lstat(file.path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_dev == device &&
           static_cast<std::uint64_t>(info.st_size) == file.size;
}

std::uint64_t TouchOffset(std::uint64_t size, std::uint64_t touchNumber) {
    const std::uint64_t blocks = size / kTouchSize;
    return blocks <= 1 ? 0 : (touchNumber % blocks) * kTouchSize;
}

ReadRoute ReadPastCache(const std::string& path, std::uint64_t offset) {
    int fd = OpenForReading(path, O_DIRECT);
    if (fd >= 0) {
        const bool read = ReadOnce(fd, offset);
        close(fd);
        if (read) {
            return ReadRoute::Direct;
        }
    }
    // No O_DIRECT here (or it failed on this file): drop the cached pages of the range, then read it.
    fd = OpenForReading(path, 0);
    if (fd < 0) {
        return ReadRoute::Failed;
    }
    posix_fadvise(fd, static_cast<off_t>(offset), static_cast<off_t>(kTouchSize), POSIX_FADV_DONTNEED);
    const bool read = ReadOnce(fd, offset);
    close(fd);
    return read ? ReadRoute::DroppedCache : ReadRoute::Failed;
}

std::uint64_t BlockDeviceSize(const std::string& devicePath) {
    const int fd = open(devicePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    std::uint64_t size = 0;
    if (ioctl(fd, BLKGETSIZE64, &size) != 0) {
        size = 0;
    }
    close(fd);
    return size;
}

bool ReadBlockDevice(const std::string& devicePath, std::uint64_t offset) {
    const int fd = open(devicePath.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECT);
    if (fd < 0) {
        return false;
    }
    const bool read = ReadOnce(fd, offset);
    close(fd);
    return read;
}

}  // namespace wakelatch::platform::linux_drives
