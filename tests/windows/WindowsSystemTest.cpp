// The program's environment on Windows: where it was started from, the requests to end, its settings in the
// registry. The copy already running is checked on the real program (program.sh).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/windows/RegistrySettingsStore.h"
#include "platform/windows/WindowsEndRequests.h"
#include "platform/windows/WindowsProgramLocation.h"
#include "settings/SettingsSchema.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch {
namespace {

using platform::utf::Widen;

TEST(ProgramLocation, OnlySharePathsCountAsNetwork) {
    const std::pair<const char*, bool> cases[] = {
        {"\\\\server\\share\\Wakelatch.exe", true},
        {"\\\\?\\UNC\\server\\share\\Wakelatch.exe", true},
        {"N:\\Tools\\Wakelatch.exe", false},  // a mapped letter passes, whatever lies behind it
    };
    for (const auto& [file, network] : cases) {
        EXPECT_EQ(platform::WindowsProgramLocation(file).StartedFromNetworkPath(), network) << file;
    }
}

TEST(EndRequests, ABreakSetsTheFlagAndTheEventAndOtherEventsAreNotTaken) {
    platform::InstallEndRequestHandlers();
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

struct RegistryData {
    DWORD type = 0;
    std::vector<BYTE> bytes;
};

RegistryData TextData(const std::string& text) {
    const std::wstring wide = Widen(text);
    const auto* begin = reinterpret_cast<const BYTE*>(wide.c_str());
    return {REG_SZ, std::vector<BYTE>(begin, begin + (wide.size() + 1) * sizeof(wchar_t))};
}

// The settings of this test live under a key of their own: HKCU\<base>\Wakelatch\Settings.
class RegistrySettings : public ::testing::Test {
  protected:
    ~RegistrySettings() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(base).c_str()); }

    std::string Get(const char* key) {
        return store.GetSetting(settings::kAppName, settings::kSection, key, "dflt");
    }

    std::string base = "Software\\WakelatchTest-" + std::to_string(GetCurrentProcessId());
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
        {"Longest", TextData(std::string(longest, 'x')), std::string(longest, 'x')},
        {"TooLong", TextData(std::string(longest + 1, 'x')), "dflt"},
        // Written without its terminating zero, and with text after an embedded one.
        {"Unterminated", {REG_SZ, {'a', 0, 'b', 0}}, "ab"},
        {"Embedded", {REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0}}, "a"},
    };
    for (const auto& c : cases) {
        RegSetKeyValueW(
            HKEY_CURRENT_USER, Widen(store.KeyPath(settings::kAppName, settings::kSection)).c_str(),
            Widen(c.key).c_str(), c.data.type, c.data.bytes.data(), static_cast<DWORD>(c.data.bytes.size()));
        EXPECT_EQ(Get(c.key), c.read) << c.key;
    }
}

}  // namespace
}  // namespace wakelatch
