// The program's own process and others: where it was started from, the copy already running, the
// requests to end, the programs it starts.
#include <gtest/gtest.h>

#include <memory>

#include "platform/windows/NamedMutexInstanceGuard.h"
#include "platform/windows/WindowsEndRequests.h"
#include "platform/windows/WindowsProgramLocation.h"
#include "platform/windows/WindowsPrograms.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch {
namespace {

TEST(ProgramLocation, OnlySharePathsCountAsNetwork) {
    struct Case {
        const char* file;
        const char* folder;
        bool network;
    };
    for (const Case& c : {
             Case{"\\\\server\\share\\Wakelatch\\Wakelatch.exe", "\\\\server\\share\\Wakelatch", true},
             Case{"//server/share/Wakelatch.exe", "//server/share", true},
             Case{"\\\\?\\UNC\\server\\share\\Wakelatch.exe", "\\\\?\\UNC\\server\\share", true},
             // A mapped drive letter passes, whatever lies behind it.
             Case{"N:\\Tools\\Wakelatch.exe", "N:\\Tools", false},
             Case{"\\\\?\\C:\\Tools\\Wakelatch.exe", "\\\\?\\C:\\Tools", false},
             Case{"C:\\Wakelatch.exe", "C:\\", false},
         }) {
        SCOPED_TRACE(c.file);
        platform::WindowsProgramLocation location(c.file);
        EXPECT_EQ(location.ProgramFolder(), c.folder);
        EXPECT_EQ(location.StartedFromNetworkPath(), c.network);
    }
    platform::WindowsProgramLocation own;
    EXPECT_TRUE(own.ProgramFilePath().ends_with("\\wakelatch_windows_platform_tests.exe"))
        << own.ProgramFilePath();
    EXPECT_FALSE(own.StartedFromNetworkPath());
}

std::string SystemProgram(const char* name) {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

TEST(Programs, RunAndWaitReportsExitCodesErrorsAndAToolStillRunning) {
    platform::WindowsPrograms programs;
    const std::string cmd = SystemProgram("cmd.exe");
    EXPECT_EQ(programs.RunAndWait(cmd + " /c exit 7", std::chrono::seconds(30)), 7);
    const int error = programs.RunAndWait("c:\\nowhere\\regtlib.exe c:\\x.tlb", std::chrono::seconds(1));
    EXPECT_TRUE(error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND) << error;  // Wine: the latter
    // Not waited for: a process that has only just been created cannot have ended yet.
    EXPECT_EQ(programs.RunAndWait(cmd + " /c exit 3", std::chrono::milliseconds(0)), 259);

    EXPECT_TRUE(programs.Start(SystemProgram("hostname.exe")));
    EXPECT_FALSE(programs.Start(SystemProgram("no-such-program.exe")));
    EXPECT_FALSE(programs.OpenHelpFile("C:\\nowhere\\help.chm"));  // nothing to show: the viewer stays shut
}

TEST(InstanceGuard, TheFirstCopyHoldsTheNameForItsLife) {
    const std::string name = testing::Unique("Local\\WakelatchTest.");
    auto first = std::make_unique<platform::NamedMutexInstanceGuard>(name);
    EXPECT_FALSE(first->PreviousInstanceRunning());
    EXPECT_FALSE(first->PreviousInstanceRunning());  // asking again does not find itself
    platform::NamedMutexInstanceGuard second(name);
    EXPECT_TRUE(second.PreviousInstanceRunning());
    // The second copy finds the first by this title: the tray menu window's.
    EXPECT_EQ(second.ApplicationTitle(), "Wakelatch");

    first.reset();
    platform::NamedMutexInstanceGuard third(name);
    EXPECT_FALSE(third.PreviousInstanceRunning());
}

TEST(EndRequests, ABreakSetsTheFlagAndTheEventAndOtherEventsAreNotTaken) {
    platform::InstallEndRequestHandlers();
    platform::InstallEndRequestHandlers();  // once per process
    const HANDLE event = platform::EndRequestEvent();
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_FALSE(platform::EndRequested());

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
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0));  // stays set
}

}  // namespace
}  // namespace wakelatch
