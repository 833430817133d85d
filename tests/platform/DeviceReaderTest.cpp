#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

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

    EXPECT_EQ(std::system(("truncate -s 100 " + found->path).c_str()), 0);
    EXPECT_FALSE(StillOnDrive(*found, info.st_dev));
}

TEST(TouchOffset, AlignedAndVarying) {
    EXPECT_EQ(TouchOffset(1000, 5), 0U);
    EXPECT_EQ(TouchOffset(4 * kTouchSize + 100, 0), 0U);
    EXPECT_EQ(TouchOffset(4 * kTouchSize + 100, 1), kTouchSize);
    EXPECT_EQ(TouchOffset(4 * kTouchSize + 100, 5), kTouchSize);
    for (std::uint64_t n = 0; n < 20; ++n) {
        EXPECT_EQ(TouchOffset(1 << 20, n) % kTouchSize, 0U);
        EXPECT_LE(TouchOffset(1 << 20, n) + kTouchSize, 1U << 20);
    }
}

}  // namespace
}  // namespace wakelatch::platform::linux_drives
