// The Linux drive platform and the drive list against real mounts: a loop-mounted ext4 image and an
// sshfs share over loopback. They need root, loop devices, FUSE, sshd and sshfs; each test skips itself
// with the reason where something is missing (and fails instead under CI, where all of it is set up).
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <grp.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "drives/DriveEngine.h"
#include "drives/KeepAwakePass.h"
#include "fakes/FakeControls.h"
#include "fakes/TempFolder.h"
#include "platform/linux/LinuxDrivePlatform.h"
#include "support/LoopImage.h"

namespace wakelatch {
namespace {

namespace fs = std::filesystem;

int Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

bool HaveCommand(const std::string& name) {
    return Shell("command -v " + name) == 0;
}

std::string MissingFacility(const std::vector<std::string>& commands,
                            const std::vector<std::string>& devices) {
    if (geteuid() != 0) {
        return "needs root (mounting)";
    }
    for (const auto& command : commands) {
        if (!HaveCommand(command)) {
            return "needs the command " + command;
        }
    }
    for (const auto& device : devices) {
        if (!fs::exists(device)) {
            return "needs " + device;
        }
    }
    return {};
}

#define SKIP_WITHOUT(commands, devices)                                    \
    do {                                                                   \
        const std::string missing = MissingFacility(commands, devices);    \
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
    ~ScopedUnmount() { Shell("umount -l " + mountPoint_); }
    ScopedUnmount(const ScopedUnmount&) = delete;
    ScopedUnmount& operator=(const ScopedUnmount&) = delete;

  private:
    std::string mountPoint_;
};

bool IsMounted(const std::string& mountPoint) {
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        fields >> id >> parent >> device >> root >> point;
        if (point == mountPoint) {
            return true;
        }
    }
    return false;
}

// The drive list as the program builds it, over the real platform, in English with names.
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

  private:
    ProgramState state_;
    platform::LinuxDrivePlatform& drives_;
    testing::FakeCheckList list_;
    testing::FakeCheckList substitute_;
    testing::FakeMeasurer measurer_;
};

std::optional<char> LetterOf(platform::LinuxDrivePlatform& drives, const std::string& mountPoint) {
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        if (drives.MountPointOf(letter) == mountPoint) {
            return letter;
        }
    }
    return std::nullopt;
}

char FirstFreeLetter(platform::LinuxDrivePlatform& drives) {
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        if (!drives.MountPointOf(letter)) {
            return letter;
        }
    }
    return 0;
}

TEST(RealDrives, ALoopMountedImageGetsTheNextLetterAndGoesWithItsMount) {
    SKIP_WITHOUT((std::vector<std::string>{"mkfs.ext4", "mount", "umount", "losetup"}),
                 (std::vector<std::string>{"/dev/loop-control"}));
    testing::TempFolder temp;
    const std::string image = temp.path() + "/disk.img";
    const std::string mountPoint = temp.path() + "/mnt";
    fs::create_directories(mountPoint);
    ASSERT_EQ(Shell("truncate -s 16M " + image + " && mkfs.ext4 -q -L WLTEST " + image), 0);

    platform::LinuxDrivePlatform drives(
        {"/proc/self/mountinfo", "/etc/fstab", "/sys", temp.path() + "/drives"});
    RealDriveList list(drives);
    list.RowOf('C');  // gives today's drives their letters first
    const char letter = FirstFreeLetter(drives);
    ASSERT_NE(letter, 0) << "no free drive letter on this machine";

    ASSERT_EQ(Shell("mount -o loop,noatime " + image + " " + mountPoint), 0);
    ScopedUnmount unmountAtEnd(mountPoint);
    const std::string row = list.RowOf(letter);
    Shell("umount " + mountPoint);
    std::cout << "row while mounted: " << row << "\n";
    EXPECT_EQ(drives.MountPointOf(letter), mountPoint);
    EXPECT_NE(row.find("WLTEST"), std::string::npos);
    EXPECT_NE(row.find("[Fixed]"), std::string::npos);
    EXPECT_NE(row.find("*Connected*"), std::string::npos);

    EXPECT_EQ(list.RowOf(letter), "");  // unmounted: no root, not listed
    EXPECT_EQ(drives.GetDriveType(std::string(1, letter) + ":\\"), platform::kDriveNoRoot);
    EXPECT_EQ(drives.MountPointOf(letter), mountPoint);  // the letter stays reserved for it
}

TEST(RealDrives, AVolumeWithoutLabelIsNamedByItsMountPoint) {
    SKIP_WITHOUT((std::vector<std::string>{"mkfs.ext4", "mount", "umount"}),
                 (std::vector<std::string>{"/dev/loop-control"}));
    testing::TempFolder temp;
    testing::LoopImage image(temp.path(), "");
    ASSERT_TRUE(image.Mounted());
    platform::LinuxDrivePlatform drives(
        {"/proc/self/mountinfo", "/etc/fstab", "/sys", temp.path() + "/drives"});
    const std::optional<char> letter = LetterOf(drives, image.MountPoint());
    ASSERT_TRUE(letter);
    std::string label;
    ASSERT_TRUE(drives.GetVolumeInformation(std::string(1, *letter) + ":\\", label));
    EXPECT_EQ(label, image.MountPoint());
}

platform::LinuxDrivePaths FileRouteOnly(const std::string& driveMap) {
    platform::LinuxDrivePaths paths{"/proc/self/mountinfo", "/etc/fstab", "/sys", driveMap};
    paths.useBlockDevices = false;  // as a user without read access to the disk: files only
    return paths;
}

// Counters around one touch of the drive, from a child process that runs as `uid` (0: as it is).
testing::DeviceCounters TouchAs(uid_t uid, const testing::LoopImage& image, const std::string& driveMap,
                                bool& reached) {
    const testing::DeviceCounters before = image.Counters();
    const pid_t child = fork();
    if (child == 0) {
        if (uid != 0 && (setgroups(0, nullptr) != 0 || setgid(uid) != 0 || setuid(uid) != 0)) {
            _exit(3);
        }
        platform::LinuxDrivePlatform drives(FileRouteOnly(driveMap));
        const std::optional<char> letter = LetterOf(drives, image.MountPoint());
        _exit(letter && drives.ReachDevice(std::string(1, *letter) + ":") ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    reached = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 3) << "could not become uid " << uid;
    const testing::DeviceCounters after = image.Counters();
    return {after.readsCompleted - before.readsCompleted, after.writesCompleted - before.writesCompleted};
}

// On the default relatime mounts a read writes an access time that is a day old; the touch must not.
TEST(RealDrives, TouchesOnRelatimeMountsWriteNothing) {
    SKIP_WITHOUT((std::vector<std::string>{"mkfs.ext4", "mount", "umount"}),
                 (std::vector<std::string>{"/dev/loop-control"}));
    testing::TempFolder temp;
    chmod(temp.path().c_str(), 0755);  // the unprivileged touch must get to the mount point
    testing::LoopImage image(temp.path(), "WLATIME", "relatime");
    ASSERT_TRUE(image.Mounted());
    const std::string map = temp.path() + "/drives";
    const uid_t nobody = 65534;
    Shell("touch -a -d '3 days ago' " + image.MountPoint() + " " + image.MountPoint() + "/data.bin");
    image.WarmCache();

    bool reached = false;
    testing::DeviceCounters delta = TouchAs(0, image, map, reached);
    std::cout << "as root: reached " << reached << ", reads +" << delta.readsCompleted << ", writes +"
              << delta.writesCompleted << "\n";
    EXPECT_TRUE(reached);
    EXPECT_GE(delta.readsCompleted, 1U);
    EXPECT_EQ(delta.writesCompleted, 0U);

    // Somebody else's files with old access times: they cannot be read without writing; nothing is.
    Shell("chmod 0666 " + map + "; touch -a -d '3 days ago' " + image.MountPoint() + " " +
          image.MountPoint() + "/data.bin");
    delta = TouchAs(nobody, image, map, reached);
    std::cout << "as nobody, root's files: reached " << reached << ", reads +" << delta.readsCompleted
              << ", writes +" << delta.writesCompleted << "\n";
    EXPECT_FALSE(reached);
    EXPECT_EQ(delta.writesCompleted, 0U);

    // Their own file: read with its access time left alone.
    Shell("chown 65534 " + image.MountPoint() + "/data.bin && touch -a -d '3 days ago' " +
          image.MountPoint() + "/data.bin");
    // A folder already read since its last change: relatime writes nothing when it is listed again.
    Shell("ls " + image.MountPoint() + " && sync -f " + image.MountPoint());
    delta = TouchAs(nobody, image, map, reached);
    std::cout << "as nobody, own file: reached " << reached << ", reads +" << delta.readsCompleted
              << ", writes +" << delta.writesCompleted << "\n";
    EXPECT_TRUE(reached);
    EXPECT_GE(delta.readsCompleted, 1U);
    EXPECT_EQ(delta.writesCompleted, 0U);
}

TEST(RealDrives, APassReadsFromTheDeviceAndNeverWritesToIt) {
    SKIP_WITHOUT((std::vector<std::string>{"mkfs.ext4", "mount", "umount"}),
                 (std::vector<std::string>{"/dev/loop-control"}));
    testing::TempFolder temp;
    testing::LoopImage image(temp.path(), "WLTOUCH");
    ASSERT_TRUE(image.Mounted());
    // The file route alone: the block device (readable to root) would hide a file route that fails.
    platform::LinuxDrivePlatform drives(FileRouteOnly(temp.path() + "/drives"));
    const std::optional<char> letter = LetterOf(drives, image.MountPoint());
    ASSERT_TRUE(letter);

    ProgramState state;
    state.Language = 2;
    state.DriveName = 1;
    state.DriveStart = 0;
    state.Drives = std::string(1, *letter) + ":\\";
    testing::FakeCheckList list;
    testing::FakeCheckList substitute;
    testing::FakeMeasurer measurer;
    DriveEngine engine(state, drives, {list, substitute}, measurer, [] {});
    bool refreshPending = false;

    image.WarmCache();
    for (int pass = 1; pass <= 2; ++pass) {
        const testing::DeviceCounters before = image.Counters();
        KeepAwakePass(
            state, engine, drives, refreshPending, [] {}, true);
        const testing::DeviceCounters after = image.Counters();
        std::cout << "pass " << pass << " on " << image.LoopDevice() << ": reads " << before.readsCompleted
                  << " -> " << after.readsCompleted << ", writes " << before.writesCompleted << " -> "
                  << after.writesCompleted << "\n";
        EXPECT_GE(after.readsCompleted - before.readsCompleted, 1U) << "pass " << pass;
        EXPECT_EQ(after.writesCompleted, before.writesCompleted) << "pass " << pass;
    }
    EXPECT_FALSE(refreshPending);
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(std::string(cwd).rfind(image.MountPoint(), 0), std::string::npos);  // not left on the drive
}

// An sshd of its own on a free loopback port, with throwaway keys.
class LoopbackSshServer {
  public:
    explicit LoopbackSshServer(const std::string& folder) : folder_(folder) {
        port_ = FreePort();
        Shell("ssh-keygen -q -t ed25519 -N '' -f " + folder + "/host_key");
        Shell("ssh-keygen -q -t ed25519 -N '' -f " + folder + "/client_key");
        fs::copy_file(folder + "/client_key.pub", folder + "/authorized_keys");
        std::ofstream(folder + "/sshd_config")
            << "Port " << port_ << "\nListenAddress 127.0.0.1\n"
            << "HostKey " << folder << "/host_key\n"
            << "AuthorizedKeysFile " << folder << "/authorized_keys\n"
            << "PidFile " << folder << "/sshd.pid\n"
            << "PermitRootLogin prohibit-password\nPasswordAuthentication no\n"
            << "StrictModes no\nUsePAM no\nSubsystem sftp internal-sftp\n";
        fs::create_directories("/run/sshd");
        started_ = Shell("/usr/sbin/sshd -f " + folder + "/sshd_config") == 0 && WaitForPort();
    }
    ~LoopbackSshServer() { Shell("kill $(cat " + folder_ + "/sshd.pid)"); }

    bool Started() const { return started_; }
    int Port() const { return port_; }
    std::string ClientKey() const { return folder_ + "/client_key"; }

  private:
    static int FreePort() {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        close(fd);
        return ntohs(address.sin_port);
    }
    bool WaitForPort() const {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const int fd = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_port = htons(static_cast<uint16_t>(port_));
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            const bool open = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            close(fd);
            if (open) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    std::string folder_;
    int port_ = 0;
    bool started_ = false;
};

TEST(RealDrives, AnSshfsShareIsRemoteDisconnectedWhenUnmountedAndReconnectedByRequest) {
    SKIP_WITHOUT((std::vector<std::string>{"sshfs", "ssh-keygen", "/usr/sbin/sshd", "mount", "umount"}),
                 (std::vector<std::string>{"/dev/fuse"}));
    testing::TempFolder temp;
    LoopbackSshServer server(temp.path());
    ASSERT_TRUE(server.Started()) << "sshd did not start on 127.0.0.1";
    const std::string exported = temp.path() + "/export";
    const std::string mountPoint = temp.path() + "/share";
    fs::create_directories(exported);
    fs::create_directories(mountPoint);
    std::ofstream(exported + "/file.txt") << "on the server\n";
    const std::string remote = "root@127.0.0.1:" + exported;
    ScopedUnmount unmountAtEnd(mountPoint);
    std::ofstream(temp.path() + "/fstab")
        << remote << " " << mountPoint << " fuse.sshfs noauto,port=" << server.Port()
        << ",IdentityFile=" << server.ClientKey()
        << ",StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null,BatchMode=yes 0 0\n";

    platform::LinuxDrivePlatform drives(
        {"/proc/self/mountinfo", temp.path() + "/fstab", "/sys", temp.path() + "/drives"});
    RealDriveList list(drives);
    list.RowOf('C');
    const std::optional<char> letter = LetterOf(drives, mountPoint);
    ASSERT_TRUE(letter) << "the fstab share got no letter";
    const std::string localName = std::string(1, *letter) + ":";

    // Not mounted yet: listed from fstab, disconnected. Then mounted by a connection request.
    // The name column shows the remote path as far as the column is wide.
    const std::string shownRemote = "root@127.0.0.1:";
    EXPECT_EQ(drives.ReadNetworkMapping(*letter).text, remote);
    const std::string offline = list.RowOf(*letter);
    EXPECT_NE(offline.find("*Disconnected*"), std::string::npos) << offline;
    EXPECT_NE(offline.find(shownRemote), std::string::npos) << offline;
    ASSERT_EQ(drives.UseConnection(localName, remote), platform::kConnected);
    EXPECT_TRUE(IsMounted(mountPoint));
    EXPECT_TRUE(fs::exists(mountPoint + "/file.txt"));

    const std::string online = list.RowOf(*letter);
    std::cout << "row while mounted: " << online << "\n";
    EXPECT_NE(online.find("[Remote]"), std::string::npos);
    EXPECT_NE(online.find(shownRemote), std::string::npos);
    EXPECT_EQ(drives.ReadNetworkMapping(*letter).text, remote);
    EXPECT_NE(online.find("*Connected*"), std::string::npos);
    EXPECT_EQ(drives.UseConnection(localName, remote), platform::kAlreadyAssigned);

    ASSERT_EQ(Shell("umount " + mountPoint), 0);
    const std::string dropped = list.RowOf(*letter);
    EXPECT_NE(dropped.find("*Disconnected*"), std::string::npos) << dropped;
    EXPECT_EQ(drives.UseConnection(localName, remote), platform::kConnected);
    EXPECT_EQ(drives.UseConnection(localName, remote), platform::kAlreadyAssigned);
    Shell("umount " + mountPoint);
}

}  // namespace
}  // namespace wakelatch
