#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes/TempFolder.h"
#include "platform/linux/IniSettingsStore.h"
#include "settings/ProgramState.h"
#include "settings/SettingsSchema.h"

namespace wakelatch::platform {
namespace {

class IniStore : public ::testing::Test {
  protected:
    std::string File() const { return temp.path() + "/Wakelatch/Wakelatch.ini"; }
    std::string FileText() const {
        std::ifstream in(File());
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void WriteFile(const std::string& text) const {
        std::filesystem::create_directories(temp.path() + "/Wakelatch");
        std::ofstream(File()) << text;
    }

    testing::TempFolder temp;
};

TEST_F(IniStore, LivesInTheApplicationsFolderUnderTheSettingsGroup) {
    IniSettingsStore store(temp.path());
    EXPECT_EQ(store.FilePath("Wakelatch"), File());
    EXPECT_TRUE(store.SaveSetting("Wakelatch", "Settings", "Times", "12"));
    EXPECT_EQ(FileText(), "[Settings]\nTimes=12\n");
}

TEST_F(IniStore, AbsentKeysGiveTheDefault) {
    IniSettingsStore store(temp.path());
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "Times", "5"), "5");
    EXPECT_FALSE(std::filesystem::exists(File()));  // reading creates nothing
}

TEST_F(IniStore, TextsRoundTripThroughANewStore) {
    {
        IniSettingsStore store(temp.path());
        settings::SaveText(store, settings::key::Drives, "C:\\E:\\Z:\\");
        settings::SaveBoolean(store, settings::key::AutoTray, true);
        settings::SaveSingle(store, settings::key::MainLeft, 1000.0F);
        settings::SaveText(store, settings::key::Drives, "C:\\F:\\");  // a write replaces
    }
    IniSettingsStore store(temp.path());
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "Drives", ""), "C:\\F:\\");
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "AutoTray", ""), "True");
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "MainLeft", ""), "1000");
    EXPECT_NE(FileText().find("MainLeft=1000\n"), std::string::npos);
    EXPECT_NE(FileText().find("AutoTray=True\n"), std::string::npos);
}

TEST_F(IniStore, HandWrittenFilesAreReadAsTheirText) {
    WriteFile(
        "[Settings]\nTimes=0\nAutoTray=-1\nAutoStart=FALSE\nLanguage=3\nDrives=\nDriveName=1,5\n"
        "[Other]\nTimes=9\n");
    IniSettingsStore store(temp.path());
    ProgramState state;
    settings::LoadProgramSettings(store, state);
    EXPECT_EQ(state.Times, 0);
    EXPECT_TRUE(state.AutoTray);
    EXPECT_FALSE(state.AutoStart);
    EXPECT_EQ(state.Language, 3);
    EXPECT_EQ(state.Drives, "");
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "DriveName", ""), "1,5");
    EXPECT_EQ(state.DriveName, 0);
}

TEST_F(IniStore, AChangeByAnotherWriterIsSeenOnTheNextRead) {
    IniSettingsStore store(temp.path());
    ASSERT_TRUE(store.SaveSetting("Wakelatch", "Settings", "Times", "5"));
    IniSettingsStore other(temp.path());
    ASSERT_TRUE(other.SaveSetting("Wakelatch", "Settings", "Times", "9"));
    EXPECT_EQ(store.GetSetting("Wakelatch", "Settings", "Times", ""), "9");
}

TEST_F(IniStore, AnUnwritableLocationReportsFailure) {
    std::ofstream(temp.path() + "/Wakelatch") << "a file where the folder should be";
    IniSettingsStore store(temp.path());
    EXPECT_FALSE(store.SaveSetting("Wakelatch", "Settings", "Times", "5"));
}

}  // namespace
}  // namespace wakelatch::platform
