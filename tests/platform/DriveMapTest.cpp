#include <gtest/gtest.h>

#include <string>

#include "platform/linux/DriveMap.h"
#include "platform/linux/Fstab.h"

namespace wakelatch::platform {
namespace {

using linux_drives::DriveMap;

TEST(DriveMap, ReadsLettersCommentsAndTheDefaultRoot) {
    const DriveMap map = DriveMap::Parse(std::string("# my drives\n"
                                                     "D: /media/usb\n"
                                                     "  e:   /mnt/My Disk  \n"
                                                     "D: /elsewhere\n"
                                                     "F: relative/path\n"
                                                     "G:\n"
                                                     "H: /mnt/with#hash/\n") +
                                         "J: /" + std::string(5000, 'x') + "\n");
    EXPECT_EQ(map.MountPointOf('C'), "/");
    EXPECT_EQ(map.MountPointOf('D'), "/media/usb");  // the first line for a letter counts
    EXPECT_EQ(map.MountPointOf('E'), "/mnt/My Disk");
    EXPECT_EQ(map.MountPointOf('e'), "/mnt/My Disk");
    EXPECT_FALSE(map.MountPointOf('F'));
    EXPECT_FALSE(map.MountPointOf('G'));
    EXPECT_EQ(map.MountPointOf('H'), "/mnt/with#hash");
    EXPECT_FALSE(map.MountPointOf('J'));  // longer than a path can be
    EXPECT_EQ(map.LetterOf("/media/usb"), 'D');
    EXPECT_FALSE(map.LetterOf("/media"));
    const DriveMap rootElsewhere = DriveMap::Parse("C: /home\n");  // the root letter may be mapped too
    EXPECT_EQ(rootElsewhere.MountPointOf('C'), "/home");
    EXPECT_FALSE(rootElsewhere.LetterOf("/"));
}

TEST(DriveMap, NewDrivesGetTheFirstFreeLetterAndTheLinesAreAdded) {
    DriveMap map = DriveMap::Parse("# kept\nE: /media/old\n");
    EXPECT_TRUE(map.AssignLetters({"/", "/media/usb", "/media/old", "/mnt/nas"}));
    EXPECT_EQ(map.MountPointOf('D'), "/media/usb");
    EXPECT_EQ(map.MountPointOf('E'), "/media/old");
    EXPECT_EQ(map.MountPointOf('F'), "/mnt/nas");
    EXPECT_EQ(map.Text(), "# kept\nE: /media/old\nD: /media/usb\nF: /mnt/nas\n");
    EXPECT_FALSE(map.AssignLetters({"/", "/media/usb"}));  // nothing new, nothing to write
}

TEST(DriveMap, PathsThatTheFileCannotGiveBackGetNoLetter) {
    DriveMap map = DriveMap::Parse("");
    EXPECT_FALSE(map.AssignLetters({"/media/two\nlines", "relative", "/mnt/data ", "/mnt/tab\t"}));
    // Every letter given reads back from the file as the same mount point.
    EXPECT_TRUE(map.AssignLetters({"/mnt/My Disk", "/mnt/#1"}));
    const DriveMap again = DriveMap::Parse(map.Text());
    EXPECT_EQ(again.LetterOf("/mnt/My Disk"), 'D');
    EXPECT_EQ(again.LetterOf("/mnt/#1"), 'E');
    DriveMap copy = again;
    EXPECT_FALSE(copy.AssignLetters({"/mnt/My Disk", "/mnt/#1"}));
}

TEST(Fstab, ParsesEntriesAndFindsNetworkOnes) {
    const auto entries = linux_mounts::ParseFstab(
        "# comment\n"
        "UUID=abc / ext4 defaults 0 1\n"
        "nas:/export /mnt/nas nfs4 noauto,user 0 0\n"
        "//server/My\\040Share /mnt/My\\040Share/ cifs credentials=/x 0 0\n"
        "user@host:/data\t/mnt/remote\tfuse.sshfs\tnoauto\t0\t0\n"
        "incomplete line\n");
    ASSERT_EQ(entries.size(), 4U);
    EXPECT_EQ(entries[2].spec, "//server/My Share");
    EXPECT_EQ(entries[2].file, "/mnt/My Share");
    EXPECT_EQ(entries[3].type, "fuse.sshfs");
    EXPECT_EQ(linux_mounts::FindNetworkEntry(entries, "/mnt/nas")->spec, "nas:/export");
    EXPECT_EQ(linux_mounts::FindNetworkEntry(entries, "/mnt/remote")->spec, "user@host:/data");
    EXPECT_EQ(linux_mounts::FindNetworkEntry(entries, "/"), nullptr);
}

}  // namespace
}  // namespace wakelatch::platform
