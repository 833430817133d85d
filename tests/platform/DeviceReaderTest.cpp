#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "fakes/TempFolder.h"
#include "platform/linux/DeviceReader.h"

namespace wakelatch::platform::linux_drives {
namespace {

struct stat Times(time_t atime, time_t mtime, time_t ctime, mode_t type = S_IFREG) {
    struct stat info {};
    info.st_mode = type | 0644;
    info.st_atim.tv_sec = atime;
    info.st_mtim.tv_sec = mtime;
    info.st_ctim.tv_sec = ctime;
    info.st_atime = atime;
    return info;
}

TEST(AtimeRule, WhenAReadWritesTheAccessTime) {
    const time_t now = 1'000'000'000;
    const time_t hour = 3600;
    const struct stat freshlyRead = Times(now - hour, now - 10 * hour, now - 10 * hour);
    const struct stat readLongAgo = Times(now - 30 * hour, now - 40 * hour, now - 40 * hour);
    const struct stat changedSinceRead = Times(now - hour, now - hour / 2, now - hour / 2);
    const struct stat folderReadLongAgo = Times(now - 30 * hour, now - 40 * hour, now - 40 * hour, S_IFDIR);

    const AtimeRule relatime = AtimeRule::FromMountOptions("rw,nosuid,relatime");
    EXPECT_TRUE(relatime.ReadLeavesAccessTime(freshlyRead, now));
    EXPECT_FALSE(relatime.ReadLeavesAccessTime(readLongAgo, now));
    EXPECT_FALSE(relatime.ReadLeavesAccessTime(changedSinceRead, now));

    for (const char* options : {"rw,noatime", "ro,relatime"}) {
        EXPECT_TRUE(AtimeRule::FromMountOptions(options).ReadLeavesAccessTime(readLongAgo, now)) << options;
    }
    EXPECT_FALSE(AtimeRule::FromMountOptions("rw,strictatime").ReadLeavesAccessTime(freshlyRead, now));
    const AtimeRule nodiratime = AtimeRule::FromMountOptions("rw,nodiratime,relatime");
    EXPECT_TRUE(nodiratime.ReadLeavesAccessTime(folderReadLongAgo, now));
    EXPECT_FALSE(nodiratime.ReadLeavesAccessTime(readLongAgo, now));
}

TEST(FindFileOnDrive, OnlyWholeSettledFilesReadOnlyOnTheirDrive) {
    testing::TempFolder temp;
    const std::string folder = temp.path();
    struct stat info {};
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    const AtimeRule noatime = AtimeRule::FromMountOptions("noatime");

    // A file with holes reads as zeros without any I/O; one just written has pages a direct read flushes.
    ASSERT_EQ(std::system(("truncate -s 64M " + folder + "/sparse.bin").c_str()), 0);
    ASSERT_EQ(std::system(("head -c 65536 /dev/urandom > " + folder + "/fresh.bin").c_str()), 0);
    EXPECT_FALSE(FindFileOnDrive(folder, info.st_dev, noatime, 100));

    ASSERT_EQ(std::system(("mkdir " + folder + "/sub && head -c 65536 /dev/urandom > " + folder +
                           "/sub/settled.bin && touch -m -d '2 days ago' " + folder + "/sub/settled.bin")
                              .c_str()),
              0);
    const auto found = FindFileOnDrive(folder, info.st_dev, noatime, 100);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, folder + "/sub/settled.bin");
    EXPECT_EQ(found->size, 65536U);
    EXPECT_TRUE(StillOnDrive(*found, info.st_dev));

    // The touch reads only the drive it means: from its mount point down, no link, no other device.
    ASSERT_EQ(symlink("sub", (folder + "/link").c_str()), 0);
    EXPECT_NE(ReadPastCache(folder, info.st_dev, found->path, 0, noatime), ReadRoute::Failed);
    EXPECT_EQ(ReadPastCache(folder, info.st_dev + 1, found->path, 0, noatime), ReadRoute::Failed)
        << "the drive is no longer mounted there";
    EXPECT_EQ(ReadPastCache(folder, info.st_dev, folder + "/link/settled.bin", 0, noatime),
              ReadRoute::Failed);
    EXPECT_EQ(ReadPastCache(folder, info.st_dev, folder + "/sub/../sub/settled.bin", 0, noatime),
              ReadRoute::Failed);
    EXPECT_EQ(ReadPastCache(folder + "/sub", info.st_dev, found->path + "-not", 0, noatime),
              ReadRoute::Failed);
}

// A settled 64 KiB file in `folder`, as a drive's file to touch.
std::string SettledFile(const std::string& folder) {
    const std::string path = folder + "/settled.bin";
    EXPECT_EQ(std::system(
                  ("head -c 65536 /dev/urandom > " + path + " && touch -m -d '2 days ago' " + path).c_str()),
              0);
    return path;
}

dev_t DeviceOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0);
    return info.st_dev;
}

// What was done to a file since the watch began, as inotify saw it; runs as root can write anything, so
// only this tells whether a touch opened its file for writing.
class FileEvents {
  public:
    explicit FileEvents(const std::string& path) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        EXPECT_GE(inotify_add_watch(fd_, path.c_str(), IN_CLOSE_WRITE | IN_CLOSE_NOWRITE | IN_MODIFY), 0);
    }
    ~FileEvents() { close(fd_); }
    FileEvents(const FileEvents&) = delete;
    FileEvents& operator=(const FileEvents&) = delete;

    std::uint32_t Seen() const {
        alignas(inotify_event) char buffer[4096];
        std::uint32_t mask = 0;
        for (ssize_t got; (got = read(fd_, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                mask |= event->mask;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return mask;
    }

  private:
    int fd_;
};

TEST(ReadPastCache, OpensTheFileForReadingOnly) {
    testing::TempFolder temp;
    const std::string file = SettledFile(temp.path());
    const FileEvents events(file);
    EXPECT_EQ(ReadPastCache(temp.path(), DeviceOf(file), file, 0, AtimeRule{}), ReadRoute::Direct);
    const std::uint32_t seen = events.Seen();
    EXPECT_TRUE(seen & IN_CLOSE_NOWRITE) << "the file was not read";
    EXPECT_FALSE(seen & IN_CLOSE_WRITE) << "the touch opened the file for writing";
    EXPECT_FALSE(seen & IN_MODIFY);
}

// ramfs refuses O_DIRECT (EINVAL): the cached pages of the range are dropped and the range read instead.
TEST(ReadPastCache, DropsTheCachedRangeWhereTheFilesystemRefusesDirectReads) {
    testing::TempFolder temp;
    if (mount("wakelatch-test", temp.path().c_str(), "ramfs", 0, nullptr) != 0) {
        GTEST_SKIP() << "needs root to mount a ramfs";
    }
    const std::string file = SettledFile(temp.path());
    const FileEvents events(file);
    EXPECT_EQ(ReadPastCache(temp.path(), DeviceOf(file), file, kTouchSize, AtimeRule{}),
              ReadRoute::DroppedCache);
    const std::uint32_t seen = events.Seen();
    EXPECT_TRUE(seen & IN_CLOSE_NOWRITE) << "the file was not read";
    EXPECT_FALSE(seen & (IN_CLOSE_WRITE | IN_MODIFY)) << "the touch wrote";
    EXPECT_EQ(std::filesystem::file_size(file), 65536U);
    umount2(temp.path().c_str(), MNT_DETACH);
}

// A file changed after it was chosen: the touch reads it at its size now or not at all, never past its end
// or through a link to a file elsewhere, and it no longer counts as the drive's file.
TEST(ReadPastCache, NoticesAFileChangedSinceItWasChosen) {
    struct Change {
        const char* name;
        const char* command;  // run in the folder on the chosen file settled.bin
        std::uint64_t offset;
        ReadRoute expected;
        bool stillOnDrive;  // a regular file of the chosen size there
    };
    const Change changes[] = {
        {"shrunk below the offset", "truncate -s 100 settled.bin", kTouchSize, ReadRoute::Failed, false},
        {"shrunk, read at its new size", "truncate -s 100 settled.bin", 0, ReadRoute::Direct, false},
        {"replaced by a link elsewhere",
         "mv settled.bin ../elsewhere.bin && ln -s ../elsewhere.bin settled.bin", 0, ReadRoute::Failed,
         false},
        {"rewritten, same size", "head -c 65536 /dev/zero > settled.bin", kTouchSize, ReadRoute::Direct,
         true},
    };
    for (const Change& change : changes) {
        testing::TempFolder temp;
        const std::string folder = temp.path() + "/drive";
        std::filesystem::create_directories(folder);
        SettledFile(folder);
        const FileOnDrive chosen = *FindFileOnDrive(folder, DeviceOf(folder), AtimeRule{}, 100);
        ASSERT_EQ(std::system(("cd " + folder + " && " + change.command).c_str()), 0) << change.name;
        EXPECT_EQ(ReadPastCache(folder, DeviceOf(folder), chosen.path, change.offset, AtimeRule{}),
                  change.expected)
            << change.name;
        EXPECT_EQ(StillOnDrive(chosen, DeviceOf(folder)), change.stillOnDrive) << change.name;
    }
}

TEST(TouchOffset, AlignedAndVarying) {
    EXPECT_EQ(TouchOffset(1000, 5), 0U);
    EXPECT_EQ(TouchOffset(4 * kTouchSize + 100, 1), kTouchSize);
    for (std::uint64_t n = 0; n < 20; ++n) {
        EXPECT_EQ(TouchOffset(1 << 20, n) % kTouchSize, 0U);
        EXPECT_LE(TouchOffset(1 << 20, n) + kTouchSize, 1U << 20);
    }
}

}  // namespace
}  // namespace wakelatch::platform::linux_drives
