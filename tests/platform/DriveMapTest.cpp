#include <gtest/gtest.h>

#include <string>

#include "platform/linux/DriveMap.h"

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
}

}  // namespace
}  // namespace wakelatch::platform
