// The Linux drive platform and the drive list against real mounts: a loop-mounted ext4 image and an
// sshfs share over loopback. They need root, loop devices, FUSE, sshd and sshfs; each test skips itself
// with the reason where something is missing (and fails instead under CI, where all of it is set up).
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "drives/DriveEngine.h"
#include "drives/KeepAwakePass.h"
#include "fakes/FakeControls.h"
#include "fakes/TempFolder.h"
#include "platform/ProcessEnded.h"
#include "platform/common/BlockingAwaiter.h"
#include "platform/linux/LinuxDrivePlatform.h"
#include "support/LoopImage.h"

namespace wakelatch {
namespace {

namespace fs = std::filesystem;
using testing::FirstLineOf;
using testing::RunQuietly;

// The first of the needed commands and paths (those beginning with "/") that is missing, or empty.
std::string MissingFacility(const std::vector<std::string>& needs) {
    if (geteuid() != 0) {
        return "needs root (mounting)";
    }
    for (const auto& need : needs) {
        if (need[0] == '/' ? !fs::exists(need) : RunQuietly("command -v " + need) != 0) {
            return "needs " + need;
        }
    }
    return {};
}

#define SKIP_WITHOUT(...)                                                  \
    do {                                                                   \
        const std::string missing = MissingFacility({__VA_ARGS__});        \
        if (!missing.empty()) {                                            \
            if (std::getenv("WAKELATCH_REQUIRE_INTEGRATION") != nullptr) { \
                FAIL() << "integration facility missing: " << missing;     \
            }                                                              \
            GTEST_SKIP() << missing;                                       \
        }                                                                  \
    } while (false)

// Unmounts at the end of the scope, whatever failed before: the temporary folder holding the mount
// point is removed afterwards and must not reach into a live mount.
class ScopedUnmount {
  public:
    explicit ScopedUnmount(std::string mountPoint) : mountPoint_(std::move(mountPoint)) {}
    ~ScopedUnmount() { RunQuietly("umount -l " + mountPoint_); }
    ScopedUnmount(const ScopedUnmount&) = delete;
    ScopedUnmount& operator=(const ScopedUnmount&) = delete;

  private:
    std::string mountPoint_;
};

bool IsMounted(const std::string& mountPoint) {
    return RunQuietly("mountpoint -q " + mountPoint) == 0;
}

platform::Awaiter& Awaiter() {
    static platform::BlockingAwaiter awaiter;
    return awaiter;
}

// The real system, with the drive helper of this build.
platform::LinuxDrivePaths RealPaths(const std::string& driveMap, const std::string& fstab = "/etc/fstab") {
    platform::LinuxDrivePaths paths{"/proc/self/mountinfo", fstab, "/sys", driveMap};
    paths.helperProgram = WAKELATCH_DRIVE_HELPER;
    return paths;
}

// The drive list and passes as the program runs them over the real platform, in English with names.
class RealDriveList {
  public:
    explicit RealDriveList(platform::LinuxDrivePlatform& drives) : drives_(drives) {
        state_.Language = 2;
        state_.DriveName = 1;
        state_.DriveStart = 0;
        state_.Drives = "C:\\";
    }
    // The row of a letter, empty when the letter is not listed.
    std::string RowOf(char letter) {
        DriveEngine engine(state_, drives_, {list_, substitute_}, measurer_, [] {});
        engine.FillDriveList();
        for (const auto& text : list_.Texts()) {
            if (!text.empty() && text[0] == letter) {
                return text;
            }
        }
        return {};
    }
    // A keep-awake pass with the letter ticked (list rebuilt, drives touched).
    void Pass(char ticked) {
        state_.Drives = std::string(1, ticked) + ":\\";
        DriveEngine engine(state_, drives_, {list_, substitute_}, measurer_, [] {});
        bool refreshPending = false;
        KeepAwakePass(
            state_, engine, drives_, refreshPending, [] {}, true);
        EXPECT_FALSE(refreshPending);
    }
    std::vector<std::string> Rows() const { return list_.Texts(); }

  private:
    ProgramState state_;
    platform::LinuxDrivePlatform& drives_;
    testing::FakeCheckList list_;
    testing::FakeCheckList substitute_;
    testing::FakeMeasurer measurer_;
};

// The letter of a mount point.
std::optional<char> LetterOf(platform::LinuxDrivePlatform& drives, const std::string& mountPoint) {
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        if (drives.MountPointOf(letter) == mountPoint) {
            return letter;
        }
    }
    return std::nullopt;
}

// Tests on loop-mounted ext4 images (root): each gets a temporary folder for its images and drive map.
class LoopDrives : public ::testing::Test {
  protected:
    void SetUp() override {
        SKIP_WITHOUT("mkfs.ext4", "mount", "umount", "findmnt", "/dev/loop-control",
                     "/proc/sys/vm/drop_caches");
    }
    std::string DriveMap() const { return temp.path() + "/drives"; }
    testing::TempFolder temp;
};

platform::LinuxDrivePaths FileRouteOnly(const std::string& driveMap) {
    platform::LinuxDrivePaths paths = RealPaths(driveMap);
    paths.useBlockDevices = false;  // as a user without read access to the disk: files only
    return paths;
}

std::string DriveOf(platform::LinuxDrivePlatform& drives, const testing::LoopImage& image) {
    const std::optional<char> letter = LetterOf(drives, image.MountPoint());
    EXPECT_TRUE(letter) << image.MountPoint() << " got no letter";
    return std::string(1, letter.value_or('?')) + ":";
}

using Reach = platform::DeviceReach;

TEST_F(LoopDrives, APassReadsFromTheDeviceAndNeverWritesToIt) {
    testing::LoopImage image(temp.path(), "WLTOUCH");
    ASSERT_TRUE(image.Mounted());
    // The file route alone: the block device (readable to root) would hide a file route that fails.
    platform::LinuxDrivePlatform drives(FileRouteOnly(DriveMap()), Awaiter());
    const std::optional<char> letter = LetterOf(drives, image.MountPoint());
    ASSERT_TRUE(letter);

    RealDriveList list(drives);
    image.WarmCache();
    for (int pass = 1; pass <= 2; ++pass) {
        const testing::DeviceCounters done = image.CountedDuring([&] { list.Pass(*letter); });
        EXPECT_GE(done.readsCompleted, 1U) << "pass " << pass;
        EXPECT_EQ(done.writesCompleted, 0U) << "pass " << pass;
    }
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(std::string(cwd).rfind(image.MountPoint(), 0), std::string::npos);  // not left on the drive
}

// Listing reads no device: an unticked drive, labelled or not, stays asleep through passes with cold
// caches, while the ticked one is read by its touch.
TEST_F(LoopDrives, UntickedDrivesAreNeverReadAndTheTickedOneIsReadByItsTouch) {
    const std::vector<std::string> labels = {"WLTICKED", "WLQUIET", ""};
    std::vector<std::unique_ptr<testing::LoopImage>> images;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        fs::create_directories(temp.path() + "/" + std::to_string(i));
        images.push_back(
            std::make_unique<testing::LoopImage>(temp.path() + "/" + std::to_string(i), labels[i]));
        ASSERT_TRUE(images.back()->Mounted());
    }
    platform::LinuxDrivePlatform drives(RealPaths(DriveMap()), Awaiter());
    const std::optional<char> ticked = LetterOf(drives, images[0]->MountPoint());
    ASSERT_TRUE(ticked);
    RealDriveList list(drives);
    for (int pass = 1; pass <= 3; ++pass) {
        std::vector<testing::DeviceCounters> before;
        for (const auto& image : images) {
            before.push_back(image->Counters());
        }
        ASSERT_EQ(RunQuietly("sync && echo 3 > /proc/sys/vm/drop_caches"), 0);
        list.Pass(*ticked);
        for (std::size_t i = 0; i < images.size(); ++i) {
            const auto reads = images[i]->Counters().readsCompleted - before[i].readsCompleted;
            EXPECT_EQ(reads > 0, i == 0) << "pass " << pass << ", drive '" << labels[i] << "': " << reads;
        }
    }
    const std::vector<std::string> rows = list.Rows();
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const std::string& row) {
        return row.find("WLQUIET") != std::string::npos;
    })) << "the unticked drive's label was not listed";
    // A volume without a label is named by its mount point.
    std::string label;
    ASSERT_TRUE(drives.GetVolumeInformation(DriveOf(drives, *images[2]) + "\\", label));
    EXPECT_EQ(label, images[2]->MountPoint());
}

// A drive with no file to read (an empty filesystem) is reached through its block device, read directly,
// where that is readable (root); without it, the touch says why not.
TEST_F(LoopDrives, ADriveWithoutAFileToReadIsReachedThroughItsBlockDevice) {
    testing::LoopImage image(temp.path(), "WLEMPTY");
    ASSERT_TRUE(image.Mounted());
    ASSERT_EQ(RunQuietly("rm " + image.MountPoint() + "/data.bin"), 0);
    platform::LinuxDrivePlatform filesOnly(FileRouteOnly(DriveMap()), Awaiter());
    EXPECT_EQ(filesOnly.ReachDevice(DriveOf(filesOnly, image)).miss, Reach::Miss::NoReadableFile);

    platform::LinuxDrivePlatform drives(RealPaths(DriveMap()), Awaiter());
    Reach reach;
    const testing::DeviceCounters done =
        image.CountedDuring([&] { reach = drives.ReachDevice(DriveOf(drives, image)); });
    EXPECT_TRUE(reach.Reached());
    EXPECT_EQ(reach.route, Reach::Route::BlockDevice);
    EXPECT_EQ(reach.bytes, 4096U);
    EXPECT_GE(done.readsCompleted, 1U);
    EXPECT_EQ(done.writesCompleted, 0U);
}

// A folder with one file, shared by an sshd of its own on a free loopback port (loopback_sshd.sh).
class SshfsShare : public ::testing::Test {
  protected:
    void SetUp() override {
        SKIP_WITHOUT("sshfs", "ssh-keygen", "python3", "/usr/sbin/sshd", "mount", "umount", "/dev/fuse");
        fs::create_directories(temp.path() + "/export");
        fs::create_directories(mountPoint);
        std::ofstream(temp.path() + "/export/file.txt") << "on the server\n";
        port = FirstLineOf(std::string(WAKELATCH_LOOPBACK_SSHD) + " " + temp.path());
        ASSERT_FALSE(port.empty()) << "sshd did not start on 127.0.0.1";
    }
    ~SshfsShare() override { RunQuietly("kill $(cat " + temp.path() + "/sshd.pid)"); }

    // The platform with the share listed (not mounted) in an fstab of its own, `moreOptions` added.
    platform::LinuxDrivePlatform& Drives(const std::string& moreOptions = "",
                                         std::optional<std::chrono::milliseconds> mountLimit = std::nullopt) {
        std::ofstream(temp.path() + "/fstab")
            << remote << " " << mountPoint << " fuse.sshfs noauto,port=" << port
            << ",IdentityFile=" << temp.path() << "/client_key" << moreOptions
            << ",StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null,BatchMode=yes 0 0\n";
        platform::LinuxDrivePaths paths = RealPaths(temp.path() + "/drives", temp.path() + "/fstab");
        paths.mountLimit = mountLimit.value_or(paths.mountLimit);
        platform::LinuxDrivePlatform& drives = drives_.emplace(paths, Awaiter());
        letter = LetterOf(drives, mountPoint).value_or('?');
        EXPECT_NE(letter, '?') << "the fstab share got no letter";
        localName = std::string(1, letter) + ":";
        return drives;
    }

    testing::TempFolder temp;
    const std::string mountPoint = temp.path() + "/share";
    const std::string remote = "root@127.0.0.1:" + temp.path() + "/export";
    std::string port;
    char letter = '?';
    std::string localName;

  private:
    ScopedUnmount unmountAtEnd_{mountPoint};
    std::optional<platform::LinuxDrivePlatform> drives_;
};

// Listed from fstab while not mounted, the share is a disconnected remote drive; a connection request
// mounts it. A share whose serving process died answers "not connected": that is no connection, and the
// next request makes it anew.
TEST_F(SshfsShare, IsRemoteDisconnectedWhenUnmountedAndReconnectedByRequest) {
    platform::LinuxDrivePlatform& drives = Drives();
    RealDriveList list(drives);
    EXPECT_EQ(drives.ReadNetworkMapping(letter).text, remote);
    const std::string offline = list.RowOf(letter);
    EXPECT_NE(offline.find("*Disconnected*"), std::string::npos) << offline;
    ASSERT_EQ(drives.UseConnection(localName, remote), platform::kConnected);
    EXPECT_TRUE(fs::exists(mountPoint + "/file.txt"));
    const std::string online = list.RowOf(letter);
    EXPECT_NE(online.find("*Connected*"), std::string::npos) << online;
    EXPECT_EQ(drives.UseConnection(localName, remote), platform::kAlreadyAssigned);

    const std::string servedBy = FirstLineOf("pgrep -o -f '[s]shfs .*" + mountPoint + "'");
    ASSERT_FALSE(servedBy.empty()) << "no sshfs process found for " << mountPoint;
    kill(std::stoi(servedBy), SIGKILL);
    EXPECT_TRUE(testing::ProcessEndsSoon(std::stoi(servedBy)));
    const std::string dead = list.RowOf(letter);
    EXPECT_NE(dead.find("*Disconnected*"), std::string::npos) << dead;
    EXPECT_EQ(drives.UseConnection(localName, remote), platform::kConnected);
    EXPECT_TRUE(fs::exists(mountPoint + "/file.txt"));
}

TEST_F(SshfsShare, AReconnectionThatRunsOutOfTimeLeavesNoMountAndTheNextOneInTimeConnects) {
    // A server slow to wake: the connection answers only after the request's limit while `slow` exists.
    const std::string slow = temp.path() + "/slow";
    const std::string wrapper = temp.path() + "/slow-ssh";
    std::ofstream(wrapper) << "#!/bin/sh\n[ -e " << slow << " ] && sleep 6\nexec ssh \"$@\"\n";
    fs::permissions(wrapper, fs::perms::owner_all);
    std::ofstream{slow};
    platform::LinuxDrivePlatform& drives = Drives(",ssh_command=" + wrapper, std::chrono::milliseconds(2000));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_NE(drives.UseConnection(localName, remote), platform::kConnected);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    std::this_thread::sleep_for(std::chrono::seconds(5));  // whatever was still on its way has come
    EXPECT_FALSE(IsMounted(mountPoint)) << "a mount was left behind";

    fs::remove(slow);
    EXPECT_EQ(drives.UseConnection(localName, remote), platform::kConnected);
    EXPECT_TRUE(IsMounted(mountPoint));
    EXPECT_TRUE(fs::exists(mountPoint + "/file.txt"));
}

TEST(RealDrives, AWorkingMountMadeWhileAFailedRequestRanIsLeftAlone) {
    SKIP_WITHOUT("mount", "umount");
    testing::TempFolder temp;
    const std::string mountPoint = temp.path() + "/share";
    fs::create_directories(mountPoint);
    ScopedUnmount unmountAtEnd(mountPoint);
    std::ofstream(temp.path() + "/fstab") << "server:/export " << mountPoint << " nfs noauto 0 0\n";
    // The user mounts the share himself while the program's request runs; the request then fails as
    // mount(8) does for a mount point that is already in use.
    const std::string mountProgram = temp.path() + "/mount";
    std::ofstream(mountProgram) << "#!/bin/sh\nmount -t tmpfs wakelatch-user " << mountPoint << "\nexit 32\n";
    fs::permissions(mountProgram, fs::perms::owner_all);

    platform::LinuxDrivePaths paths = RealPaths(temp.path() + "/drives", temp.path() + "/fstab");
    paths.mountProgram = mountProgram;
    platform::LinuxDrivePlatform drives(paths, Awaiter());
    const std::optional<char> letter = LetterOf(drives, mountPoint);
    ASSERT_TRUE(letter) << "the fstab share got no letter";

    EXPECT_EQ(drives.UseConnection(std::string(1, *letter) + ":", "server:/export"), 32);
    EXPECT_TRUE(IsMounted(mountPoint)) << "the user's working mount was taken away";
}

}  // namespace
}  // namespace wakelatch
