#include <gtest/gtest.h>

#include <poll.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>

#include "platform/EndRequests.h"
#include "platform/ScriptFolder.h"
#include "platform/linux/LinuxPrograms.h"
#include "platform/linux/PosixEndRequests.h"

namespace wakelatch::platform {
namespace {

using std::chrono::milliseconds;

// What a started program wrote, once it has written it (it runs on without us).
std::string AwaitFile(const std::string& path) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string text;
    while (std::chrono::steady_clock::now() < end) {
        std::ifstream file(path);
        if (std::getline(file, text)) {
            return text;
        }
        std::this_thread::sleep_for(milliseconds(20));
    }
    return text;
}

TEST(LinuxPrograms, FindsTheFirstListedSystemInformationToolThatCanRun) {
    const testing::ScriptFolder bin;
    bin.Add("hardinfo", "exit 0", 0644);  // not executable
    bin.Add("kinfocenter", "exit 0");
    bin.Add("gnome-system-monitor", "exit 0");
    EXPECT_EQ(LinuxPrograms("relative/bin::" + bin.Folder()).FindSystemInformation(),
              bin.Path("kinfocenter"));
    EXPECT_TRUE(LinuxPrograms(bin.Folder()).Start(bin.Path("kinfocenter")));
    EXPECT_FALSE(LinuxPrograms(bin.Folder()).Start(bin.Path("missing")));
    EXPECT_EQ(LinuxPrograms("").FindSystemInformation(), std::nullopt);
}

TEST(LinuxPrograms, RunAndWaitPassesOneArgumentAndReportsHowItEnded) {
    const testing::ScriptFolder bin;
    bin.Add("count", "exit $#");
    bin.Add("linger", "exec sleep 1");
    LinuxPrograms programs(bin.Folder());
    EXPECT_EQ(programs.RunAndWait("count", milliseconds(5000)), 0);
    EXPECT_EQ(programs.RunAndWait(bin.Path("count") + " an argument with blanks", milliseconds(5000)), 1);
    EXPECT_EQ(programs.RunAndWait("missing argument", milliseconds(5000)), ENOENT);
    EXPECT_EQ(programs.RunAndWait("linger", milliseconds(50)), 259);  // left running
}

TEST(LinuxPrograms, TheHelpFileOpensOnlyWhereAViewerIsRegistered) {
    const testing::ScriptFolder with;
    with.Add("xdg-mime", "[ \"$3\" = application/vnd.ms-htmlhelp ] && echo viewer.desktop");
    with.Add("xdg-open", "echo \"$1\" >" + with.Path("opened"));
    const testing::ScriptFolder without;
    without.Add("xdg-mime", "exit 0");
    without.Add("xdg-open", "echo \"$1\" >" + without.Path("opened"));
    const std::string helpFile = with.Path("help.chm");
    std::ofstream(helpFile) << "ITSF";

    EXPECT_FALSE(LinuxPrograms(with.Folder()).OpenHelpFile(with.Path("missing.chm")));
    EXPECT_FALSE(LinuxPrograms(without.Folder()).OpenHelpFile(helpFile));
    EXPECT_TRUE(LinuxPrograms(with.Folder()).OpenHelpFile(helpFile));
    EXPECT_EQ(AwaitFile(with.Path("opened")), helpFile);
}

TEST(EndRequests, ASignalIsRecordedAndWakesTheLoop) {
    InstallEndRequestHandlers();
    InstallEndRequestHandlers();  // a second call changes nothing
    ASSERT_GE(linux_signals::EndRequestWakeUpFd(), 0);
    EXPECT_FALSE(EndRequested());
    raise(SIGHUP);
    EXPECT_TRUE(EndRequested());
    pollfd wakeUp{linux_signals::EndRequestWakeUpFd(), POLLIN, 0};
    EXPECT_EQ(poll(&wakeUp, 1, 0), 1);
    linux_signals::DrainEndRequestWakeUps();
    EXPECT_EQ(poll(&wakeUp, 1, 0), 0);
    EXPECT_TRUE(EndRequested());  // sticky
}

}  // namespace
}  // namespace wakelatch::platform
