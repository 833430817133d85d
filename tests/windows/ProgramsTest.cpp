#include <gtest/gtest.h>

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

}  // namespace
}  // namespace wakelatch
