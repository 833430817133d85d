#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/ProcessEnded.h"
#include "platform/ScriptFolder.h"
#include "platform/linux/MountCommand.h"

namespace wakelatch::platform::linux_drives {
namespace {

TEST(RunMount, PassesTheMountPointAndTheFstabAndReturnsTheStatus) {
    const testing::ScriptFolder bin;
    EXPECT_EQ(RunMount(bin.Add("failing", "exit 32"), "/mnt/x", "", std::chrono::seconds(5)), 32);
    EXPECT_EQ(RunMount(bin.Path("missing"), "/mnt/x", "", std::chrono::seconds(5)), kMountNotStarted);
    const std::string mount =
        bin.Add("mount", "echo \"$@\" >" + bin.Path("args") + "; cat >" + bin.Path("stdin"));
    EXPECT_EQ(RunMount(mount, "/mnt/my share", "", std::chrono::seconds(5)), 0);
    EXPECT_EQ(bin.FirstLine("args"), "-- /mnt/my share");
    EXPECT_EQ(bin.FirstLine("stdin"), "");  // input is /dev/null: nothing waits for a password
    EXPECT_EQ(RunMount(mount, "/mnt/x", "/etc/other-fstab", std::chrono::seconds(5)), 0);
    EXPECT_EQ(bin.FirstLine("args"), "--fstab /etc/other-fstab -- /mnt/x");
}

TEST(RunMount, AMountThatHangsIsKilledWithItsHelpers) {
    // The "helper" (a background sleep) would go on mounting after mount itself is gone.
    const testing::ScriptFolder bin;
    const std::string mount = bin.Add("mount", "sleep 30 & echo $! >" + bin.Path("helper") + "; wait");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunMount(mount, "/mnt/x", "", std::chrono::milliseconds(300)), kMountTimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(testing::ProcessEndsSoon(std::stoi(bin.FirstLine("helper"))));
}

}  // namespace
}  // namespace wakelatch::platform::linux_drives
