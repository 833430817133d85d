#include <gtest/gtest.h>

#include "platform/linux/LinuxProgramLocation.h"
#include "platform/linux/MountTable.h"

namespace wakelatch::platform {
namespace {

using namespace linux_mounts;

constexpr const char* kMountInfo =
    "22 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
    "23 22 0:21 / /proc rw,nosuid - proc proc rw\n"
    "40 22 0:45 / /mnt/nas rw,relatime shared:20 - nfs4 nas:/export/media rw,vers=4.2\n"
    "41 22 0:46 / /home/u/My\\040Share rw,relatime - cifs //server/share rw\n"
    "42 22 0:47 / /home/u/remote rw,nosuid,nodev - fuse.sshfs u@host:/data rw,user_id=0\n"
    "43 40 8:17 / /mnt/nas/local rw - ext4 /dev/sdb1 rw\n"
    "44 22 7:0 / /media/usb rw - vfat /dev/loop0 rw\n"
    "malformed line without separator\n"
    "45 22 0:50 / /opt/apps rw - tmpfs tmpfs rw\n"
    "46 22 0:51 / /opt/apps rw - 9p share rw\n";

// The mount holding a path (the later of two at one point hides the earlier), and whether the program's
// folder lies on a network filesystem: by path, or by the folder's device where it is known (a share
// mounted over a local mount, say).
TEST(MountTable, FindsTheMountThatContainsAPathAndWhetherItIsANetworkOne) {
    const unsigned nfs[] = {0, 45};
    const struct {
        const char* path;
        const char* mountPoint;  // nullptr: none
        bool network;
        const unsigned* device = nullptr;
    } cases[] = {
        {"/usr/bin", "/", false},
        {"/mnt/nas/films", "/mnt/nas", true},
        {"/mnt/nas/local/bin", "/mnt/nas/local", false},
        {"/mnt/nas/local/bin", "/mnt/nas/local", true, nfs},
        {"/mnt/nasty", "/", false},
        {"/home/u/My Share/tools", "/home/u/My Share", true},
        {"relative/path", nullptr, false},
    };
    const auto mounts = ParseMountInfo(kMountInfo);  // the malformed line skipped
    ASSERT_EQ(mounts.size(), 9U);
    for (const auto& c : cases) {
        const MountEntry* found = FindMountContaining(mounts, c.path);
        EXPECT_EQ(found == nullptr ? "none" : found->mountPoint,
                  c.mountPoint == nullptr ? "none" : c.mountPoint)
            << c.path;
        const unsigned* major = c.device == nullptr ? nullptr : &c.device[0];
        const unsigned* minor = c.device == nullptr ? nullptr : &c.device[1];
        EXPECT_EQ(FolderIsOnNetworkFilesystem(kMountInfo, c.path, major, minor), c.network) << c.path;
    }
    EXPECT_EQ(FindMountContaining(mounts, "/opt/apps")->fsType, "9p");
    EXPECT_EQ(FindMountOfDevice(mounts, 0, 45, "/mnt/nas/x")->mountPoint, "/mnt/nas");
    EXPECT_EQ(FindMountOfDevice(mounts, 9, 9, "/x"), nullptr);
    EXPECT_FALSE(FolderIsOnNetworkFilesystem("", "/anything", nullptr, nullptr));
    EXPECT_EQ(UnescapeMountField("a\\011b\\134c\\012"), "a\tb\\c\n");
    EXPECT_EQ(UnescapeMountField("trailing\\04"), "trailing\\04");
    // FUSE types count by their name: sshfs over FUSE is a network one, fuseblk (a local disk) is not.
    for (const auto& [type, network] : {std::pair{"fuse.sshfs", true}, {"fuseblk", false}, {"fuse", false}}) {
        EXPECT_EQ(IsNetworkFilesystem(type), network) << type;
    }
}

}  // namespace
}  // namespace wakelatch::platform
