#include <gtest/gtest.h>

#include "fakes/FakeSettingsStore.h"
#include "settings/SettingsSchema.h"
#include "settings/TextConversions.h"

namespace wakelatch {
namespace {

using namespace conversions;

TEST(TextConversions, IntegersAcceptDecimalTextWithinRangeOnly) {
    EXPECT_EQ(ToInt32(" -3 "), -3);
    EXPECT_EQ(ToInt32("+2147483647"), 2147483647);
    EXPECT_FALSE(ToInt32("2147483648"));
    EXPECT_FALSE(ToInt32(""));
    EXPECT_FALSE(ToInt32("5 Min."));
}

// The fields as "Drives Times Language AutoTray AutoStart DriveName DriveStart".
std::string Loaded(const ProgramState& state) {
    return state.Drives + " " + std::to_string(state.Times) + " " + std::to_string(state.Language) + " " +
           (state.AutoTray ? "T " : "F ") + (state.AutoStart ? "T " : "F ") +
           std::to_string(state.DriveName) + " " + std::to_string(state.DriveStart);
}

TEST(SettingsLoad, StoredTextsDefaultsAndTextsThatDoNotConvert) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> stored;
        std::string loaded;
    };
    const Case cases[] = {
        {"fresh account: the defaults", {}, "C:\\ 5 1 F F 1 1"},
        // Times is brought into range only when the main window loads; an empty selection is left for
        // start-up to replace.
        {"stored values as they stand",
         {{"Drives", ""},
          {"Times", "-3"},
          {"Language", "3"},
          {"AutoTray", "-1"},
          {"AutoStart", "true"},
          {"DriveName", "0"},
          {"DriveStart", "0"}},
         " -3 3 T T 0 0"},
        {"texts that do not convert give zero values; absent keys their defaults",
         {{"Drives", "C:\\E:\\"},
          {"Times", "five"},
          {"Language", ""},
          {"AutoTray", "FALSE"},
          {"AutoStart", "maybe"},
          {"DriveName", "1.5"}},
         "C:\\E:\\ 0 0 F F 0 1"},
    };
    for (const Case& c : cases) {
        testing::FakeSettingsStore store;
        for (const auto& [key, text] : c.stored) {
            store.Set(key, text);
        }
        ProgramState state;
        settings::LoadProgramSettings(store, state);
        EXPECT_EQ(Loaded(state), c.loaded) << c.name;
    }
}

}  // namespace
}  // namespace wakelatch
