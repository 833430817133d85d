// The program's environment on Windows: where it was started from, the requests to end, its files and
// temp folder, its settings in the registry. The copy already running is checked on the real program
// (program.sh).
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "platform/windows/RegistrySettingsStore.h"
#include "platform/windows/WindowsEndRequests.h"
#include "platform/windows/WindowsFileSystem.h"
#include "platform/windows/WindowsProgramLocation.h"
#include "platform/windows/WindowsSystemFolders.h"
#include "settings/SettingsSchema.h"
#include "support/FileOps.h"
#include "support/Resources.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch {
namespace {

using platform::utf::Widen;
using testing::RegistryData;

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

std::string ResourceBytes(int id) {
    const auto bytes = resources::Find(id);
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->size);
}

class WindowsFiles : public ::testing::Test {
  protected:
    testing::ScratchFolder scratch;
    platform::WindowsFileSystem files;
};

TEST_F(WindowsFiles, ResourcesReplaceWhatWasThereWithExactlyTheirBytes) {
    const std::string picture = scratch / "pic_Info.bmp";
    testing::WriteBytes(picture, std::string(2 * ResourceBytes(resources::kAboutBitmap).size(), 'z'));
    ASSERT_TRUE(sml_RES_TO_DISK::ResourceToDisk(files, resources::kAboutBitmap, picture));
    EXPECT_EQ(testing::ReadBytes(picture), ResourceBytes(resources::kAboutBitmap));  // no old tail
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.path()), {}), 1) << "nothing beside";
}

TEST_F(WindowsFiles, TheTempFolderIsTheUsersOwn) {
    platform::WindowsSystemFolders folders(scratch.path());
    const std::filesystem::path expected = std::filesystem::temp_directory_path() / "Wakelatch";
    // Whatever stands at its place is moved aside: a file here, a link to elsewhere alike.
    std::filesystem::remove_all(expected);
    testing::WriteBytes(expected.string(), "in the way");

    const std::string folder = folders.TempDirectoryFor("C:\\windows");
    EXPECT_EQ(Widen(folder), expected.wstring());
    EXPECT_TRUE(std::filesystem::is_directory(expected));
    int movedAside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(expected.parent_path())) {
        if (entry.path().filename().wstring().rfind(L"Wakelatch.moved-", 0) == 0) {
            ++movedAside;
            std::filesystem::remove(entry.path());
        }
    }
    EXPECT_EQ(movedAside, 1);
    EXPECT_EQ(folders.TempDirectoryFor("C:\\windows"), folder);  // a second time finds it
}

// The settings of this test live under a key of their own: HKCU\<base>\Wakelatch\Settings.
class RegistrySettings : public ::testing::Test {
  protected:
    ~RegistrySettings() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(base).c_str()); }

    std::string Get(const char* key) {
        return store.GetSetting(settings::kAppName, settings::kSection, key, "dflt");
    }

    std::string base = testing::Unique("Software\\WakelatchTest-");
    platform::RegistrySettingsStore store{base};
};

// The first write creates the key, and its texts read back by the rules below. Values written by others: only
// a text (REG_SZ) of sane length is a setting.
TEST_F(RegistrySettings, WrittenTextsReadBackAndOnlyTextsOfSaneLengthAreRead) {
    EXPECT_EQ(Get("Note"), "dflt") << "no key yet";
    settings::SaveText(store, "Note", "Grüße");
    EXPECT_EQ(Get("Note"), "Grüße");
    const std::size_t longest = platform::RegistrySettingsStore::kLongestValue;
    const struct {
        const char* key;
        RegistryData data;
        std::string read;
    } cases[] = {
        {"Number", {REG_DWORD, {9, 0, 0, 0}}, "dflt"},
        {"Expandable", {REG_EXPAND_SZ, testing::TextData("%TEMP%").bytes}, "dflt"},
        {"Longest", testing::TextData(std::string(longest, 'x')), std::string(longest, 'x')},
        {"TooLong", testing::TextData(std::string(longest + 1, 'x')), "dflt"},
        // Fits the UTF-16 buffer, but is one byte too long as UTF-8.
        {"TooLongInUtf8", testing::TextData(std::string(longest - 1, 'x') + "ä"), "dflt"},
        // Written without its terminating zero, and with text after an embedded one.
        {"Unterminated", {REG_SZ, {'a', 0, 'b', 0}}, "ab"},
        {"Embedded", {REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0}}, "a"},
    };
    for (const auto& c : cases) {
        testing::WriteRegistryValue(HKEY_CURRENT_USER,
                                    Widen(store.KeyPath(settings::kAppName, settings::kSection)),
                                    Widen(c.key), c.data);
        EXPECT_EQ(Get(c.key), c.read) << c.key;
    }
}

}  // namespace
}  // namespace wakelatch
