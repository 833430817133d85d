#include "platform/linux/DeviceReader.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
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

constexpr time_t kSettledSeconds = 600;

// Opens read-only without touching the access time: O_NOATIME, which the kernel allows for one's own
// files (and root for all). Without it, only where the mount's rule leaves the access time anyway.
int OpenForReading(const std::string& path, int extraFlags, const AtimeRule& rule) {
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | extraFlags;
    int fd = open(path.c_str(), flags | O_NOATIME);
    struct stat info {};
    if (fd < 0 && errno == EPERM && lstat(path.c_str(), &info) == 0 &&
        rule.ReadLeavesAccessTime(info, time(nullptr))) {
        fd = open(path.c_str(), flags);
    }
    return fd;
}

// The same, for a name in an open folder; a link is never followed.
int OpenForReadingAt(int folder, const std::string& name, int extraFlags, const AtimeRule& rule) {
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | extraFlags;
    int fd = openat(folder, name.c_str(), flags | O_NOATIME);
    struct stat info {};
    if (fd < 0 && errno == EPERM && fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        rule.ReadLeavesAccessTime(info, time(nullptr))) {
        fd = openat(folder, name.c_str(), flags);
    }
    return fd;
}

// Whether the open file or folder lies on the device (and is what the caller expects there).
bool OnDevice(int fd, dev_t device, bool folder) {
    struct stat info {};
    return fstat(fd, &info) == 0 && info.st_dev == device &&
           (folder ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode));
}

void CloseIfOpen(int fd) {
    if (fd >= 0) {
        close(fd);
    }
}

bool MayLeaveAccessTime(const struct stat& info, const AtimeRule& rule) {
    return geteuid() == 0 || info.st_uid == geteuid() || rule.ReadLeavesAccessTime(info, time(nullptr));
}

bool Suitable(const struct stat& info, const AtimeRule& rule) {
    const bool allOnDisk = info.st_blocks * 512 >= info.st_size;
    const bool settled = time(nullptr) - info.st_mtime > kSettledSeconds;
    return S_ISREG(info.st_mode) && info.st_size > 0 && allOnDisk && settled &&
           MayLeaveAccessTime(info, rule);
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

AtimeRule AtimeRule::FromMountOptions(const std::string& mountOptions) {
    AtimeRule rule;
    std::size_t start = 0;
    while (start <= mountOptions.size()) {
        const std::size_t end = std::min(mountOptions.find(',', start), mountOptions.size());
        const std::string option = mountOptions.substr(start, end - start);
        rule.never = rule.never || option == "noatime" || option == "ro";
        rule.neverForFolders = rule.neverForFolders || option == "nodiratime";
        rule.always = rule.always || option == "strictatime";
        start = end + 1;
    }
    return rule;
}

bool AtimeRule::ReadLeavesAccessTime(const struct stat& info, time_t now) const {
    if (never || (neverForFolders && S_ISDIR(info.st_mode))) {
        return true;
    }
    if (always) {
        return false;
    }
    // relatime writes the access time when it is not newer than the last change, or a day old. An hour
    // to spare keeps a read from landing right on that day's end.
    constexpr time_t kDay = 24 * 60 * 60;
    constexpr time_t kSpare = 60 * 60;
    const auto later = [](const timespec& a, const timespec& b) {
        return a.tv_sec > b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec > b.tv_nsec);
    };
    return later(info.st_atim, info.st_mtim) && later(info.st_atim, info.st_ctim) &&
           now - info.st_atime < kDay - kSpare;
}

std::optional<FileOnDrive> FindFileOnDrive(const std::string& mountPoint, dev_t device, const AtimeRule& rule,
                                           int maxEntries) {
    std::optional<FileOnDrive> best;
    std::deque<std::pair<std::string, int>> folders{{mountPoint, 0}};
    int seen = 0;
    while (!folders.empty() && seen < maxEntries) {
        const auto [folder, depth] = folders.front();
        folders.pop_front();
        // Listing a folder is reading it: its access time is left alone in the same way as a file's.
        const int folderFd = OpenForReading(folder, O_DIRECTORY, rule);
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
            } else if (Suitable(info, rule) && access(path.c_str(), R_OK) == 0) {
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

int OpenOnDrive(const std::string& mountPoint, dev_t device, const std::string& path, int extraFlags,
                const AtimeRule& rule) {
    const std::string prefix = mountPoint == "/" ? "/" : mountPoint + "/";
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) {
        return -1;
    }
    // The mount point itself: if the drive went away, this is the empty folder beneath, on another device.
    int folder = open(mountPoint.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0 || !OnDevice(folder, device, true)) {
        CloseIfOpen(folder);
        return -1;
    }
    std::size_t start = prefix.size();
    for (;;) {
        const std::size_t slash = path.find('/', start);
        const std::string name = path.substr(start, slash == std::string::npos ? slash : slash - start);
        if (name.empty() || name == "." || name == "..") {
            close(folder);
            return -1;
        }
        const bool last = slash == std::string::npos;
        const int next = last ? OpenForReadingAt(folder, name, extraFlags, rule)
                              : openat(folder, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        close(folder);
        if (next < 0 || !OnDevice(next, device, !last)) {
            CloseIfOpen(next);
            return -1;
        }
        if (last) {
            return next;
        }
        folder = next;
        start = slash + 1;
    }
}

ReadRoute ReadPastCache(const std::string& mountPoint, dev_t device, const std::string& path,
                        std::uint64_t offset, const AtimeRule& rule) {
    int fd = OpenOnDrive(mountPoint, device, path, O_DIRECT, rule);
    if (fd >= 0) {
        const bool read = ReadOnce(fd, offset);
        close(fd);
        if (read) {
            return ReadRoute::Direct;
        }
    }
    // No O_DIRECT here (or it failed on this file): drop the cached pages of the range, then read it.
    fd = OpenOnDrive(mountPoint, device, path, 0, rule);
    if (fd < 0) {
        return ReadRoute::Failed;
    }
    if (posix_fadvise(fd, static_cast<off_t>(offset), static_cast<off_t>(kTouchSize), POSIX_FADV_DONTNEED) !=
        0) {
        close(fd);
        return ReadRoute::Failed;
    }
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
