// The program's own process and others: where it was started from, the requests to end, the programs it
// starts. The copy already running is checked on the real program (program.sh).
#include <gtest/gtest.h>

#include <utility>

#include "platform/windows/WindowsEndRequests.h"
#include "platform/windows/WindowsProgramLocation.h"
#include "platform/windows/WindowsPrograms.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch {
namespace {

TEST(ProgramLocation, OnlySharePathsCountAsNetwork) {
    const std::pair<const char*, bool> cases[] = {
        {"\\\\server\\share\\Wakelatch.exe", true},
        {"\\\\?\\UNC\\server\\share\\Wakelatch.exe", true},
        {"N:\\Tools\\Wakelatch.exe", false},  // a mapped letter passes, whatever lies behind it
    };
    for (const auto& [file, network] : cases) {
        EXPECT_EQ(platform::WindowsProgramLocation(file).StartedFromNetworkPath(), network) << file;
    }
    EXPECT_EQ(platform::WindowsProgramLocation("C:\\Wakelatch.exe").ProgramFolder(), "C:\\");
}

std::string SystemProgram(const char* name) {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

TEST(Programs, RunAndWaitReportsExitCodesAndAToolStillRunning) {
    platform::WindowsPrograms programs;
    const std::string cmd = SystemProgram("cmd.exe");
    EXPECT_EQ(programs.RunAndWait(cmd + " /c exit 7", std::chrono::seconds(30)), 7);
    // Not waited for: a process that has only just been created cannot have ended yet.
    EXPECT_EQ(programs.RunAndWait(cmd + " /c exit 3", std::chrono::milliseconds(0)), 259);
    EXPECT_FALSE(programs.Start(SystemProgram("no-such-program.exe")));
}

TEST(EndRequests, ABreakSetsTheFlagAndTheEventAndOtherEventsAreNotTaken) {
    platform::InstallEndRequestHandlers();
    platform::InstallEndRequestHandlers();  // once per process
    const HANDLE event = platform::EndRequestEvent();
    ASSERT_NE(event, nullptr);
    EXPECT_FALSE(platform::OnConsoleEvent(7));  // not an end request: left to the next handler
    EXPECT_FALSE(platform::EndRequested());
    // Under Wine a process without a terminal has no console to send the break through; the handler
    // then gets it directly.
    if (!GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0)) {
        EXPECT_TRUE(platform::OnConsoleEvent(CTRL_BREAK_EVENT));
    }
    // The handler runs on a thread of its own: the event says when.
    ASSERT_EQ(WaitForSingleObject(event, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(platform::EndRequested());
}

}  // namespace
}  // namespace wakelatch
