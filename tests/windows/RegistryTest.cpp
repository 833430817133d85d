#include <gtest/gtest.h>

#include "platform/windows/RegistrySettingsStore.h"
#include "settings/SettingsSchema.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch {
namespace {

using platform::utf::Widen;
using testing::RegistryData;

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
