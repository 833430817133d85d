#include <gtest/gtest.h>

#include "platform/windows/RegistrySettingsStore.h"
#include "platform/windows/RunKeyAutostart.h"
#include "settings/SettingsSchema.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch {
namespace {

using platform::utf::Widen;
using testing::ReadRegistryValue;
using testing::RegistryData;

// The settings of this test live under a key of their own: HKCU\<base>\Wakelatch\Settings.
class RegistrySettings : public ::testing::Test {
  protected:
    ~RegistrySettings() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(base).c_str()); }

    void Raw(const char* key, const RegistryData& data) {
        testing::WriteRegistryValue(HKEY_CURRENT_USER,
                                    Widen(store.KeyPath(settings::kAppName, settings::kSection)), Widen(key),
                                    data);
    }
    std::string Get(const char* key) {
        return store.GetSetting(settings::kAppName, settings::kSection, key, "dflt");
    }

    std::string base = testing::Unique("Software\\WakelatchTest-");
    platform::RegistrySettingsStore store{base};
};

// The first write creates the key; texts come back as written, as REG_SZ where any other reader looks.
TEST_F(RegistrySettings, AMissingKeyReadsAsAbsentAndTheFirstWriteCreatesIt) {
    EXPECT_EQ(Get("Times"), "dflt");
    settings::SaveInt32(store, settings::key::Times, 12);
    settings::SaveText(store, "Note", "Grüße");
    ProgramState state;
    settings::LoadProgramSettings(store, state);
    EXPECT_EQ(state.Times, 12);
    EXPECT_EQ(Get("Note"), "Grüße");
    const auto raw = ReadRegistryValue(HKEY_CURRENT_USER, Widen(base + "\\Wakelatch\\Settings"), L"Times");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistrySettings, OtherTypesAndOverlongValuesReadAsAbsent) {
    const DWORD number = 9;
    Raw("Number", {REG_DWORD, std::vector<BYTE>(reinterpret_cast<const BYTE*>(&number),
                                                reinterpret_cast<const BYTE*>(&number) + sizeof number)});
    Raw("Expandable", {REG_EXPAND_SZ, testing::TextData("%TEMP%").bytes});
    Raw("Longest", testing::TextData(std::string(platform::RegistrySettingsStore::kLongestValue, 'x')));
    Raw("TooLong", testing::TextData(std::string(platform::RegistrySettingsStore::kLongestValue + 1, 'x')));
    // Fits the UTF-16 buffer, but is one byte too long as UTF-8.
    Raw("TooLongInUtf8",
        testing::TextData(std::string(platform::RegistrySettingsStore::kLongestValue - 1, 'x') + "ä"));
    // Written without its terminating zero, and with text after an embedded one.
    Raw("Unterminated", {REG_SZ, {'a', 0, 'b', 0}});
    Raw("Embedded", {REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0}});

    EXPECT_EQ(Get("Number"), "dflt");
    EXPECT_EQ(Get("Expandable"), "dflt");
    EXPECT_EQ(Get("Longest").size(), platform::RegistrySettingsStore::kLongestValue);
    EXPECT_EQ(Get("TooLong"), "dflt");
    EXPECT_EQ(Get("TooLongInUtf8"), "dflt");
    EXPECT_EQ(Get("Unterminated"), "ab");
    EXPECT_EQ(Get("Embedded"), "a");
}

// The Run key is the user's real one: the entries of this test have names of their own.
class RunKey : public ::testing::Test {
  protected:
    ~RunKey() override {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, platform::RunKeyAutostart::kRunKey, Widen(name).c_str());
    }

    // The entry's text exactly as stored (REG_SZ, one terminating zero); nothing when it is absent.
    std::optional<std::vector<BYTE>> Entry() {
        const auto data =
            ReadRegistryValue(HKEY_CURRENT_USER, platform::RunKeyAutostart::kRunKey, Widen(name));
        return data && data->type == REG_SZ ? std::optional(data->bytes) : std::nullopt;
    }

    std::string name = testing::Unique("WakelatchTest-");
    platform::RunKeyAutostart autostart;
};

TEST_F(RunKey, WrittenRewrittenAndRemovedOnce) {
    ASSERT_TRUE(autostart.Write(name, "C:\\Tools\\Wakelatch.exe"));
    EXPECT_EQ(Entry(), testing::TextData("\"C:\\Tools\\Wakelatch.exe\"").bytes);
    ASSERT_TRUE(autostart.Write(name, "C:\\Program Files\\Wäkelatch\\Wakelatch.exe"));
    EXPECT_EQ(Entry(), testing::TextData("\"C:\\Program Files\\Wäkelatch\\Wakelatch.exe\"").bytes);

    EXPECT_TRUE(autostart.Remove(name));
    EXPECT_FALSE(Entry());
    EXPECT_FALSE(autostart.Remove(name));  // nothing left to remove
}

}  // namespace
}  // namespace wakelatch
