#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "fakes/TempFolder.h"
#include "platform/ProcessEnded.h"
#include "platform/linux/MountCommand.h"

namespace wakelatch::platform::linux_drives {
namespace {

// A stand-in for the mount program: a shell script that writes down how it was called.
class FakeMount {
  public:
    explicit FakeMount(const std::string& body) : path_(temp_.path() + "/mount") {
        std::ofstream(path_) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all);
    }
    const std::string& Path() const { return path_; }
    std::string Folder() const { return temp_.path(); }
    std::string Read(const std::string& name) const {
        std::ifstream in(temp_.path() + "/" + name);
        std::string line;
        std::getline(in, line);
        return line;
    }

  private:
    testing::TempFolder temp_;
    std::string path_;
};

TEST(RunMount, PassesTheMountPointAndTheFstabAndReturnsTheStatus) {
    const FakeMount failing("exit 32");
    EXPECT_EQ(RunMount(failing.Path(), "/mnt/x", "", std::chrono::seconds(5)), 32);
    EXPECT_EQ(RunMount(failing.Folder() + "/missing", "/mnt/x", "", std::chrono::seconds(5)),
              kMountNotStarted);
    FakeMount mount("echo \"$@\" > \"$(dirname \"$0\")/args\"; cat > \"$(dirname \"$0\")/stdin\"; exit 0");
    EXPECT_EQ(RunMount(mount.Path(), "/mnt/my share", "", std::chrono::seconds(5)), 0);
    EXPECT_EQ(mount.Read("args"), "-- /mnt/my share");
    EXPECT_EQ(mount.Read("stdin"), "");  // input is /dev/null: nothing waits for a password
    EXPECT_EQ(RunMount(mount.Path(), "/mnt/x", "/etc/other-fstab", std::chrono::seconds(5)), 0);
    EXPECT_EQ(mount.Read("args"), "--fstab /etc/other-fstab -- /mnt/x");
}

TEST(RunMount, AMountThatHangsIsKilledWithItsHelpers) {
    // The "helper" (a background sleep) would go on mounting after mount itself is gone.
    FakeMount mount("sleep 30 & echo $! > \"$(dirname \"$0\")/helper\"; wait");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunMount(mount.Path(), "/mnt/x", "", std::chrono::milliseconds(300)), kMountTimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(testing::ProcessEndsSoon(std::stoi(mount.Read("helper"))));
}

}  // namespace
}  // namespace wakelatch::platform::linux_drives
