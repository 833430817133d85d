#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "fakes/TempFolder.h"
#include "platform/DrivePlatform.h"
#include "platform/FakeSystemTree.h"
#include "platform/common/BlockingAwaiter.h"
#include "platform/linux/DriveInventory.h"
#include "platform/linux/LinuxDrivePlatform.h"
#include "platform/linux/VolumeLabel.h"

namespace wakelatch::platform {
namespace {

using linux_drives::BlockDevices;
using linux_drives::ClassifyMountPoint;
using linux_drives::DriveMountPoints;

std::string Line(int id, const std::string& device, const std::string& mountPoint, const std::string& type,
                 const std::string& source, const std::string& root = "/") {
    return std::to_string(id) + " 1 " + device + " " + root + " " + mountPoint + " rw - " + type + " " +
           source + " rw\n";
}

class Inventory : public ::testing::Test {
  protected:
    Inventory() {
        tree.AddBlockDevice(254, 0, "vda", false);
        tree.AddBlockDevice(8, 17, "sdb1", true, "sdb");   // a USB stick's partition
        tree.AddBlockDevice(8, 33, "sdc1", false, "sdc");  // a USB disk: not removable media
        tree.AddBlockDevice(11, 0, "sr0", true);
        tree.AddBlockDevice(7, 0, "loop0", false);
        tree.AddBlockDevice(7, 1, "loop1", false);
        tree.AddBlockDevice(252, 0, "zram0", false);
    }

    std::vector<linux_mounts::MountEntry> Mounts(const std::string& text) const {
        return linux_mounts::ParseMountInfo(text);
    }

    testing::FakeSystemTree tree;
    BlockDevices devices{tree.Sysfs()};
};

TEST_F(Inventory, WhichMountsAreDrives) {
    const auto mounts =
        Mounts(Line(1, "254:0", "/", "ext4", "/dev/vda") + Line(2, "0:21", "/proc", "proc", "proc") +
               Line(3, "0:22", "/sys", "sysfs", "sysfs") + Line(4, "0:23", "/dev/shm", "tmpfs", "tmpfs") +
               Line(5, "0:24", "/tmp", "tmpfs", "tmpfs") +
               Line(6, "8:17", "/run/media/u/STICK", "vfat", "/dev/sdb1") +
               Line(7, "8:33", "/run/lock/weird", "ext4", "/dev/sdc1") +
               Line(8, "7:0", "/snap/core/1", "squashfs", "/dev/loop0") +
               Line(9, "7:1", "/mnt/image\\040one", "ext4", "/dev/loop1") +
               Line(10, "0:45", "/mnt/nas", "nfs4", "nas:/export") +
               Line(11, "0:60", "/mnt/overlay", "overlay", "overlay") +
               Line(12, "8:33", "/boot/efi", "vfat", "/dev/sdc1") +
               Line(13, "7:1", "/srv/bound", "ext4", "/dev/loop1", "/sub") +
               Line(14, "11:0", "/media/cdrom", "iso9660", "/dev/sr0"));
    const auto fstab = linux_mounts::ParseFstab(
        "srv:/share /mnt/offline/ nfs noauto 0 0\n"
        "/dev/sdz1 /mnt/local ext4 noauto 0 0\n"
        "incomplete line\n"
        "nas:/export /mnt/nas nfs4 noauto 0 0\n");
    EXPECT_EQ(DriveMountPoints(mounts, fstab, devices, {"/"}),
              (std::vector<std::string>{"/run/media/u/STICK", "/mnt/image one", "/mnt/nas", "/media/cdrom",
                                        "/mnt/offline"}));
    EXPECT_EQ(DriveMountPoints(mounts, fstab, devices, {"/", "/mnt/nas", "/mnt/offline"}),
              (std::vector<std::string>{"/run/media/u/STICK", "/mnt/image one", "/media/cdrom"}));
}

// Mounts that are not (or not yet) a drive of their own, and what the drive list makes of them.
TEST_F(Inventory, BindsHiddenMountsAndAutomountTrapsGetNoLetterOfTheirOwn) {
    const struct {
        const char* name;
        std::string mounts;
        std::vector<std::string> taken;
        std::vector<std::string> drives;
    } cases[] = {
        {"a bind mount listed first leaves the letter to the whole filesystem",
         Line(1, "7:1", "/srv/bound", "ext4", "/dev/loop1", "/sub") +
             Line(2, "7:1", "/mnt/image", "ext4", "/dev/loop1"),
         {},
         {"/mnt/image"}},
        // The root is a subvolume of a disk whose top level is also mounted; the stick is lettered and bound.
        {"another mount of a lettered device",
         Line(1, "254:0", "/", "btrfs", "/dev/vda", "/@") +
             Line(2, "254:0", "/mnt/top", "btrfs", "/dev/vda") +
             Line(3, "8:17", "/media/stick", "vfat", "/dev/sdb1") +
             Line(4, "8:17", "/srv/stick", "vfat", "/dev/sdb1"),
         {"/", "/media/stick"},
         {}},
        {"a mount hidden under a later one",
         Line(1, "7:0", "/mnt/x", "ext4", "/dev/loop0") + Line(2, "0:50", "/mnt/x", "tmpfs", "tmpfs"),
         {},
         {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DriveMountPoints(Mounts(c.mounts), {}, devices, c.taken), c.drives) << c.name;
    }
    const auto hidden = Mounts(cases[2].mounts);
    EXPECT_EQ(ClassifyMountPoint(hidden, {}, devices, "/mnt/x"), kDriveRamDisk);  // counts as the later one
    const auto trap = Mounts(Line(1, "0:70", "/mnt/nas", "autofs", "systemd-1"));
    const auto fstab = linux_mounts::ParseFstab("nas:/export /mnt/nas nfs4 x-systemd.automount 0 0\n");
    EXPECT_EQ(linux_drives::MountAt(trap, "/mnt/nas"), nullptr) << "an automount trap is no mount yet";
    EXPECT_EQ(ClassifyMountPoint(trap, fstab, devices, "/mnt/nas"), kDriveRemote);
}

TEST_F(Inventory, Classification) {
    const auto mounts = Mounts(
        Line(1, "254:0", "/", "ext4", "/dev/vda") + Line(2, "8:17", "/media/stick", "vfat", "/dev/sdb1") +
        Line(3, "8:33", "/media/usbdisk", "ext4", "/dev/sdc1") +
        Line(4, "11:0", "/media/cdrom", "iso9660", "/dev/sr0") +
        Line(5, "7:0", "/media/iso", "udf", "/dev/loop0") +
        Line(6, "252:0", "/mnt/zram", "ext4", "/dev/zram0") + Line(7, "0:30", "/mnt/ram", "tmpfs", "tmpfs") +
        Line(8, "0:45", "/mnt/nas", "nfs4", "nas:/export") +
        Line(9, "0:46", "/mnt/ssh", "fuse.sshfs", "u@h:/d") +
        Line(10, "8:49", "/media/unplugged", "ext4", "/dev/sdd1") +
        Line(11, "0:47", "/mnt/fuse", "fuse.encfs", "encfs"));
    const auto fstab = linux_mounts::ParseFstab("srv:/share /mnt/offline nfs noauto 0 0\n");
    const std::vector<std::pair<std::string, int>> expected = {
        {"/", kDriveFixed},
        {"/media/stick", kDriveRemovable},
        {"/media/usbdisk", kDriveFixed},
        {"/media/cdrom", kDriveCdRom},
        {"/media/iso", kDriveCdRom},
        {"/mnt/zram", kDriveRamDisk},
        {"/mnt/ram", kDriveRamDisk},
        {"/mnt/nas", kDriveRemote},
        {"/mnt/ssh", kDriveRemote},
        {"/mnt/offline", kDriveRemote},
        {"/mnt/gone", kDriveNoRoot},
        {"/media/unplugged", kDriveNoRoot},  // still mounted, its device gone from sysfs
        {"/mnt/fuse", kDriveUnknown}};
    for (const auto& [mountPoint, type] : expected) {
        EXPECT_EQ(ClassifyMountPoint(mounts, fstab, devices, mountPoint), type) << mountPoint;
    }
}

// The platform over the fake tree.
class FakeTreePlatform : public Inventory {
  protected:
    LinuxDrivePlatform Platform() {
        LinuxDrivePaths paths{tree.MountInfo(), tree.Fstab(), tree.Sysfs(), tree.DriveMap()};
        paths.helperProgram = WAKELATCH_DRIVE_HELPER;
        return LinuxDrivePlatform(paths, awaiter);
    }
    std::string MapText() const {
        std::ifstream in(tree.DriveMap());
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    BlockingAwaiter awaiter;
};

TEST_F(FakeTreePlatform, LettersAreGivenOnceAndWrittenToTheMap) {
    tree.SetMountInfo(Line(1, "254:0", "/", "ext4", "/dev/vda") +
                      Line(2, "8:17", "/media/stick", "vfat", "/dev/sdb1"));
    tree.SetFstab("nas:/export /mnt/nas nfs4 noauto 0 0\n");
    auto platform = Platform();
    EXPECT_EQ(platform.GetDriveType("C:\\"), kDriveFixed);
    EXPECT_EQ(platform.GetDriveType("D:\\"), kDriveRemovable);
    EXPECT_EQ(platform.GetDriveType("E:\\"), kDriveRemote);  // in fstab, not mounted
    EXPECT_EQ(platform.GetDriveType("F:\\"), kDriveNoRoot);
    EXPECT_EQ(platform.GetDriveType("nonsense"), kDriveNoRoot);
    EXPECT_EQ(MapText(), "D: /media/stick\nE: /mnt/nas\n");
    struct stat info {};
    stat(tree.DriveMap().c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600U);

    // The stick is pulled and another one plugged in: D: stays the old stick's and is no root now. Until
    // the next look at the system, queries answer from the last one.
    tree.SetMountInfo(Line(1, "254:0", "/", "ext4", "/dev/vda") +
                      Line(3, "8:33", "/media/other", "ext4", "/dev/sdc1"));
    EXPECT_EQ(platform.GetDriveType("D:\\"), kDriveRemovable);
    platform.Survey();
    EXPECT_EQ(platform.GetDriveType("D:\\"), kDriveNoRoot);
    EXPECT_EQ(platform.GetDriveType("F:\\"), kDriveFixed);
    EXPECT_EQ(MapText(), "D: /media/stick\nE: /mnt/nas\nF: /media/other\n");
}

TEST_F(FakeTreePlatform, AMapThatCannotBeReadIsNeitherReplacedNorForgotten) {
    tree.SetMountInfo(Line(1, "254:0", "/", "ext4", "/dev/vda") +
                      Line(2, "8:17", "/media/stick", "vfat", "/dev/sdb1"));
    std::filesystem::create_directories(tree.Path("config/Wakelatch"));
    std::ofstream(tree.DriveMap()) << "M: /media/stick\n";
    auto platform = Platform();
    EXPECT_EQ(platform.GetDriveType("M:\\"), kDriveRemovable);
    // The file turns unreadable (here: a folder in its place): the letters known so far still hold.
    std::filesystem::remove(tree.DriveMap());
    std::filesystem::create_directory(tree.DriveMap());
    platform.Survey();
    EXPECT_EQ(platform.GetDriveType("M:\\"), kDriveRemovable);
    EXPECT_EQ(platform.GetDriveType("D:\\"), kDriveNoRoot);
    EXPECT_TRUE(std::filesystem::is_directory(tree.DriveMap()));
}

// What is mounted at a share's mount point wins over its fstab entry.
TEST_F(FakeTreePlatform, NetworkMappingsAndConnectionRequests) {
    tree.SetMountInfo(Line(1, "254:0", "/", "ext4", "/dev/vda") +
                      Line(2, "0:45", "/mnt/nas", "nfs4", "nas:/live"));
    tree.SetFstab("nas:/fstab-spec /mnt/nas nfs4 noauto 0 0\nsrv:/off /mnt/off nfs noauto 0 0\n");
    auto platform = Platform();
    const MappingValue mounted = platform.ReadNetworkMapping('D');
    EXPECT_EQ(mounted.kind, MappingValue::Kind::Text);
    EXPECT_EQ(mounted.text, "nas:/live");
    EXPECT_EQ(platform.ReadNetworkMapping('E').text, "srv:/off");
    EXPECT_EQ(platform.ReadNetworkMapping('C').kind, MappingValue::Kind::Absent);
    EXPECT_NE(platform.UseConnection("Q:", "x"), kConnected);
    std::string label;
    EXPECT_FALSE(platform.GetVolumeInformation("D:", label));  // a letter, not a root
}

// Labels come from what udev recorded when the device appeared; the device itself is never read.
TEST(RecordedLabel, FromUdevsDatabaseWithItsEscapesAndNothingFromAFifo) {
    testing::TempFolder udev;
    const auto entry = [&](const std::string& name, const std::string& text) {
        std::ofstream(udev.path() + "/" + name) << text;
    };
    entry("b8:17", "S:disk/by-label/My_Disk\nE:ID_FS_LABEL=My_Disk\nE:ID_FS_LABEL_ENC=My\\x20Disk\n");
    entry("b8:33", "E:ID_FS_TYPE=ext4\nE:ID_FS_LABEL=BACKUP\n");
    entry("b8:49", "E:ID_FS_TYPE=ext4\n");
    mkfifo((udev.path() + "/b8:65").c_str(), 0600);  // would block a reader that opened it
    const linux_drives::LabelSources sources{udev.path(), udev.path() + "/no-links"};
    EXPECT_EQ(linux_drives::RecordedDeviceLabel(8, 17, sources), "My Disk");
    EXPECT_EQ(linux_drives::RecordedDeviceLabel(8, 33, sources), "BACKUP");
    EXPECT_EQ(linux_drives::RecordedDeviceLabel(8, 49, sources), std::nullopt);
    EXPECT_EQ(linux_drives::RecordedDeviceLabel(8, 65, sources), std::nullopt);
    EXPECT_EQ(linux_drives::RecordedDeviceLabel(8, 81, sources), std::nullopt);
}

}  // namespace
}  // namespace wakelatch::platform
