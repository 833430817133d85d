// Start-up on the real Windows platform under Wine: the settings come from the registry, the support files
// land where the platform puts them, and a second copy ends at once.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/PlatformSupportFiles.h"
#include "app/Startup.h"
#include "fakes/FakeControls.h"
#include "platform/common/BlockingAwaiter.h"
#include "platform/windows/NamedMutexInstanceGuard.h"
#include "support/Resources.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch {
namespace {

class ShowingWindows final : public StartupWindows {
  public:
    void ShowSplash() override { shown += "splash "; }
    void LoadTrayMenu() override {}
    void LoadMainWindow() override { shown += "main-loaded "; }
    void UnloadSplash() override {}
    void ShowMainWindow() override { shown += "main-shown"; }
    void UnloadMainWindow() override {}
    void TrayAction() override { shown += "tray"; }
    bool TrayAvailable() override { return true; }
    std::string shown;
};

std::string Bytes(int resource) {
    const auto bytes = resources::Find(resource);
    return bytes ? std::string(reinterpret_cast<const char*>(bytes->data), bytes->size) : std::string();
}

TEST(StartupOnWindows, TheFirstCopyStartsFromTheRegistryAndWritesItsFilesTheSecondEndsAtOnce) {
    const testing::SavedRegistryValue language(HKEY_CURRENT_USER, L"Software\\Wakelatch\\Settings",
                                               L"Language");
    const testing::SavedRegistryValue times(HKEY_CURRENT_USER, L"Software\\Wakelatch\\Settings", L"Times");
    const testing::SavedRegistryValue drives(HKEY_CURRENT_USER, L"Software\\Wakelatch\\Settings", L"Drives");
    language.Set("2");
    times.Set("7");
    drives.Delete();

    platform::BlockingAwaiter awaiter;
    platform::Platform platform = platform::CreatePlatform(awaiter);
    PlatformSupportFiles supportFiles(platform);
    const std::string typeLibrary = platform.folders->WindowsDirectory() + "\\system\\shelllnk.tlb";
    const std::string helpFile = supportFiles.HelpFilePath("wakelatch_help_english.chm");
    std::filesystem::remove(typeLibrary);
    std::filesystem::remove(helpFile);
    // Windows always has its "system" folder; a fresh Wine prefix lacks it, and start-up makes none.
    const std::filesystem::path systemFolder = platform.folders->WindowsDirectory() + "\\system";
    const bool madeSystemFolder = std::filesystem::create_directory(systemFolder);

    const std::string mutexName = testing::Unique("Local\\WakelatchStartupTest.");
    platform::NamedMutexInstanceGuard first(mutexName);
    testing::FakeMessageBox messages;
    ShowingWindows windows;
    StartupServices services{
        first, *platform.folders, *platform.settings, *platform.location, messages, supportFiles, windows};
    ProgramState state;
    const pim_MAIN::StartupOutcome outcome = pim_MAIN::Main(state, services);

    EXPECT_TRUE(outcome.keepRunning);
    EXPECT_EQ(windows.shown, "splash main-loaded main-shown");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.Language, 2);
    EXPECT_EQ(state.Times, 7);
    EXPECT_EQ(state.Drives, "C:\\");
    char windowsFolder[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryA(windowsFolder, MAX_PATH), 0U);
    EXPECT_EQ(state.WindowsDirectory, windowsFolder);
    EXPECT_TRUE(std::filesystem::is_directory(state.TempDirectory)) << state.TempDirectory;
    EXPECT_EQ(state.HelpFileName, "wakelatch_help_english.chm");
    EXPECT_EQ(testing::ReadBytes(helpFile).value_or(""), Bytes(1001));
    // The type library: written as the compiled library, its registration tried (Wine has no tool).
    EXPECT_EQ(testing::ReadBytes(typeLibrary).value_or("").substr(0, 4), "MSFT");

    // A second copy, while the first runs: it reads nothing and ends with status 0.
    platform::NamedMutexInstanceGuard second(mutexName);
    ShowingWindows secondWindows;
    StartupServices secondServices{second,   *platform.folders, *platform.settings, *platform.location,
                                   messages, supportFiles,      secondWindows};
    ProgramState secondState;
    const pim_MAIN::StartupOutcome ended = pim_MAIN::Main(secondState, secondServices);
    EXPECT_FALSE(ended.keepRunning);
    EXPECT_EQ(ended.exitCode, 0);
    EXPECT_EQ(secondState.Language, 0);
    EXPECT_EQ(secondWindows.shown, "");
    std::filesystem::remove(typeLibrary);
    if (madeSystemFolder) {
        std::filesystem::remove(systemFolder);
    }
}

}  // namespace
}  // namespace wakelatch
