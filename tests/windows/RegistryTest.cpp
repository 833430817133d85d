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

TEST_F(RegistrySettings, AMissingKeyGivesTheDefaultsAndTheFirstWriteCreatesIt) {
    ProgramState state;
    settings::LoadProgramSettings(store, state);
    EXPECT_EQ(state.Drives, "C:\\");
    EXPECT_EQ(state.Times, 5);
    EXPECT_EQ(state.Language, 1);
    EXPECT_FALSE(state.AutoTray);
    EXPECT_EQ(state.DriveName, 1);
    EXPECT_EQ(state.DriveStart, 1);

    settings::SaveText(store, settings::key::Drives, "D:\\E:\\");
    settings::SaveInt32(store, settings::key::Times, 12);
    settings::SaveBoolean(store, settings::key::AutoStart, true);
    settings::SaveText(store, "Note", "Grüße");
    settings::LoadProgramSettings(store, state);
    EXPECT_EQ(state.Drives, "D:\\E:\\");
    EXPECT_EQ(state.Times, 12);
    EXPECT_TRUE(state.AutoStart);
    EXPECT_EQ(Get("Note"), "Grüße");
    EXPECT_EQ(Get("Absent"), "dflt");
    // Stored as REG_SZ text under <base>\Wakelatch\Settings, where any other reader looks for it.
    const auto raw = ReadRegistryValue(HKEY_CURRENT_USER, Widen(base + "\\Wakelatch\\Settings"), L"Times");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistrySettings, StoredTextsConvertAsTheProgramReadsThem) {
    struct Case {
        const char* times;
        const char* autoTray;
        std::int32_t expectedTimes;
        bool expectedTray;
    };
    for (const Case& c : {Case{"0", "-1", 0, true}, Case{"-3", "1", -3, true}, Case{"7", "0", 7, false},
                          Case{"5", "True", 5, true}}) {
        SCOPED_TRACE(std::string(c.times) + " / " + c.autoTray);
        store.SaveSetting(settings::kAppName, settings::kSection, settings::key::Times, c.times);
        store.SaveSetting(settings::kAppName, settings::kSection, settings::key::AutoTray, c.autoTray);
        ProgramState state;
        settings::LoadProgramSettings(store, state);
        EXPECT_EQ(state.Times, c.expectedTimes);
        EXPECT_EQ(state.AutoTray, c.expectedTray);
    }
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

    std::optional<std::wstring> Entry() {
        const auto data =
            ReadRegistryValue(HKEY_CURRENT_USER, platform::RunKeyAutostart::kRunKey, Widen(name));
        if (!data || data->type != REG_SZ || data->bytes.size() % 2 != 0) {
            return std::nullopt;
        }
        std::wstring text(reinterpret_cast<const wchar_t*>(data->bytes.data()), data->bytes.size() / 2);
        return text.substr(0, text.find(L'\0'));
    }

    std::string name = testing::Unique("WakelatchTest-");
    platform::RunKeyAutostart autostart;
};

TEST_F(RunKey, WrittenRewrittenAndRemovedOnce) {
    ASSERT_TRUE(autostart.Write(name, "C:\\Tools\\Wakelatch.exe"));
    EXPECT_EQ(Entry(), L"\"C:\\Tools\\Wakelatch.exe\"");
    ASSERT_TRUE(autostart.Write(name, "C:\\Program Files\\Wäkelatch\\Wakelatch.exe"));
    EXPECT_EQ(Entry(), L"\"C:\\Program Files\\W\u00e4kelatch\\Wakelatch.exe\"");

    EXPECT_TRUE(autostart.Remove(name));
    EXPECT_FALSE(Entry());
    EXPECT_FALSE(autostart.Remove(name));  // nothing left to remove
}

}  // namespace
}  // namespace wakelatch
