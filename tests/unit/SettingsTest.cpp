#include <gtest/gtest.h>

#include "fakes/FakeSettingsStore.h"
#include "settings/SettingsSchema.h"
#include "settings/TextConversions.h"

namespace wakelatch {
namespace {

using namespace conversions;

TEST(TextConversions, IntegersAcceptDecimalTextWithinRangeOnly) {
    EXPECT_EQ(ToInt32("5"), 5);
    EXPECT_EQ(ToInt32(" 12 "), 12);
    EXPECT_EQ(ToInt32("-3"), -3);
    EXPECT_EQ(ToInt32("+7"), 7);
    EXPECT_EQ(ToInt32("2147483647"), 2147483647);
    EXPECT_FALSE(ToInt32("2147483648"));
    EXPECT_FALSE(ToInt32(""));
    EXPECT_FALSE(ToInt32("abc"));
    EXPECT_FALSE(ToInt32("5 Min."));
    EXPECT_FALSE(ToInt32("+-5"));
}

TEST(TextConversions, BooleansAcceptWordsInAnyCaseAndNumbers) {
    struct Case {
        const char* text;
        std::optional<bool> expected;
    };
    const Case cases[] = {{"True", true},     {"true", true},        {"TRUE", true},         {"False", false},
                          {"FALSE", false},   {"false", false},      {"-1", true},           {"1", true},
                          {"0", false},       {"2.5", true},         {"0.0", false},         {" True ", true},
                          {"", std::nullopt}, {"yes", std::nullopt}, {"Truex", std::nullopt}};
    for (const Case& c : cases) {
        EXPECT_EQ(ToBoolean(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(TextConversions, WrittenFormsReadBack) {
    EXPECT_EQ(FromBoolean(true), "True");
    EXPECT_EQ(FromBoolean(false), "False");
    EXPECT_EQ(ToBoolean(FromBoolean(true)), true);
    EXPECT_EQ(ToBoolean(FromBoolean(false)), false);
    EXPECT_EQ(FromInt32(-3), "-3");
    EXPECT_EQ(FromSingle(1000.0F), "1000");
    EXPECT_EQ(FromSingle(-120.0F), "-120");
    EXPECT_EQ(FromSingle(1000.5F), "1000.5");
    EXPECT_EQ(ToSingle(FromSingle(877.25F)), 877.25F);
    EXPECT_FALSE(ToSingle("1e3"));
    EXPECT_FALSE(ToSingle("left"));
    EXPECT_FALSE(ToSingle("nan"));
}

class SettingsLoad : public ::testing::Test {
  protected:
    ProgramState Load() {
        ProgramState state;
        settings::LoadProgramSettings(store, state);
        return state;
    }
    testing::FakeSettingsStore store;
};

TEST_F(SettingsLoad, FreshAccountGetsTheDefaults) {
    const ProgramState state = Load();
    EXPECT_EQ(state.Drives, "C:\\");
    EXPECT_EQ(state.Times, 5);
    EXPECT_EQ(state.Language, 1);
    EXPECT_FALSE(state.AutoTray);
    EXPECT_FALSE(state.AutoStart);
    EXPECT_EQ(state.DriveName, 1);
    EXPECT_EQ(state.DriveStart, 1);
}

TEST_F(SettingsLoad, ReadsTheSevenKeysInOrder) {
    Load();
    EXPECT_EQ(store.reads, (std::vector<std::string>{"Drives", "Times", "Language", "AutoTray", "AutoStart",
                                                     "DriveName", "DriveStart"}));
}

TEST_F(SettingsLoad, StoredValuesAsTheyStand) {
    store.Set("Drives", "C:\\E:\\");
    store.Set("Times", "-3");
    store.Set("Language", "3");
    store.Set("AutoTray", "-1");
    store.Set("AutoStart", "true");
    store.Set("DriveName", "0");
    store.Set("DriveStart", "0");
    const ProgramState state = Load();
    EXPECT_EQ(state.Drives, "C:\\E:\\");
    EXPECT_EQ(state.Times, -3);  // raised only when the main window loads
    EXPECT_EQ(state.Language, 3);
    EXPECT_TRUE(state.AutoTray);
    EXPECT_TRUE(state.AutoStart);
    EXPECT_EQ(state.DriveName, 0);
    EXPECT_EQ(state.DriveStart, 0);
}

TEST_F(SettingsLoad, EmptySelectionIsLeftForStartUpToReplace) {
    store.Set("Drives", "");
    EXPECT_EQ(Load().Drives, "");
}

TEST_F(SettingsLoad, TextsThatDoNotConvertGiveZeroValues) {
    store.Set("Times", "five");
    store.Set("Language", "");
    store.Set("AutoTray", "FALSE");
    store.Set("AutoStart", "maybe");
    store.Set("DriveName", "1.5");
    const ProgramState state = Load();
    EXPECT_EQ(state.Times, 0);
    EXPECT_EQ(state.Language, 0);
    EXPECT_FALSE(state.AutoTray);
    EXPECT_FALSE(state.AutoStart);
    EXPECT_EQ(state.DriveName, 0);
    EXPECT_EQ(state.DriveStart, 1);  // absent: default
}

TEST_F(SettingsLoad, WindowPositionDefaultsAndGarbage) {
    EXPECT_EQ(settings::ReadMainPosition(store, settings::key::MainLeft), 1000.0F);
    store.Set("MainLeft", "2345");
    store.Set("MainTop", "top left");
    EXPECT_EQ(settings::ReadMainPosition(store, settings::key::MainLeft), 2345.0F);
    EXPECT_EQ(settings::ReadMainPosition(store, settings::key::MainTop), 1000.0F);
}

TEST_F(SettingsLoad, TypedWritesUseTheStoredTextForms) {
    settings::SaveBoolean(store, settings::key::AutoTray, true);
    settings::SaveInt32(store, settings::key::Times, 12);
    settings::SaveSingle(store, settings::key::MainLeft, 1000.0F);
    EXPECT_EQ(store.Get("AutoTray"), "True");
    EXPECT_EQ(store.Get("Times"), "12");
    EXPECT_EQ(store.Get("MainLeft"), "1000");
}

}  // namespace
}  // namespace wakelatch
