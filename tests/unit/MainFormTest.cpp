#include <gtest/gtest.h>

#include "fakes/MainFormRig.h"

namespace wakelatch {
namespace {

class MainForm : public ::testing::Test, protected testing::MainFormRig {};

TEST_F(MainForm, FirstLoadPlacesTheWindowAtTheDefaultsWithItsFixedSize) {
    Form().Form_Load();
    EXPECT_EQ(window.left, 1000.0F);
    EXPECT_EQ(window.top, 1000.0F);
    EXPECT_EQ(window.width, 10000.0F);
    EXPECT_EQ(window.height, 7100.0F);
    EXPECT_EQ(window.caption, "Wakelatch Version 1.0.0");
}

TEST_F(MainForm, StoredSizeIsIgnoredAndAPositionThatIsNoNumberReadsAsDefault) {
    store.Set("MainLeft", "2400");
    store.Set("MainTop", "here");
    store.Set("MainWidth", "12000");
    store.Set("MainHeight", "9000");
    Form().Form_Load();
    EXPECT_EQ(window.left, 2400.0F);
    EXPECT_EQ(window.top, 1000.0F);
    EXPECT_EQ(window.width, 10000.0F);
    EXPECT_EQ(window.height, 7100.0F);
}

TEST_F(MainForm, LoadSetsUpTheTimersAndTheSlider) {
    standby.tag = "3";
    pass.enabled = true;
    Form().Form_Load();
    EXPECT_EQ(standby.tag, "0");
    EXPECT_EQ(standby.interval, 60000);
    EXPECT_TRUE(standby.enabled);
    EXPECT_EQ(pass.interval, 5000);
    EXPECT_FALSE(pass.enabled);
    EXPECT_EQ(slider.value, 56);
}

TEST(MainFormLanguage, StatusTextByLanguage) {
    for (const auto& [language, expected] : std::vector<std::pair<int, std::string>>{
             {1, "Status: Aktiv"}, {2, "Status: Active"}, {3, "Status"}}) {
        testing::MainFormRig rig;
        rig.state.Language = language;
        rig.Form().Form_Load();
        EXPECT_EQ(rig.status.PanelText(1), expected) << language;
        EXPECT_EQ(rig.window.caption, "Wakelatch Version 1.0.0");  // the caption has no language
    }
}

// An interval outside 1..60 would give the pass timer an interval of 0 or less (a timer that fires
// without pause) or one without a slider position.
TEST(MainFormInterval, IsBroughtIntoRangeBeforeTheTimersUseIt) {
    struct Case {
        int stored;
        int times;
        int passInterval;
        int sliderPosition;
    };
    for (const Case c : {Case{0, 1, 1000, 60}, Case{-3, 1, 1000, 60}, Case{1, 1, 1000, 60},
                         Case{60, 60, 60000, 1}, Case{61, 60, 60000, 1}, Case{100000, 60, 60000, 1}}) {
        testing::MainFormRig rig;
        rig.state.Times = c.stored;
        rig.Form().Form_Load();
        EXPECT_EQ(rig.state.Times, c.times) << c.stored;
        EXPECT_EQ(rig.pass.interval, c.passInterval) << c.stored;
        EXPECT_EQ(rig.slider.value, c.sliderPosition) << c.stored;
    }
}

TEST_F(MainForm, LoadFillsAndTicksTheDriveListAndReconnectsSelectedMappedDrives) {
    drives.drives['C'] = {platform::kDriveFixed, true, "system"};
    drives.drives['E'] = {platform::kDriveFixed, true, "data"};
    drives.Map('N', "nas:/media");
    state.Drives = "C:\\N:\\";
    Form().Form_Load();
    ASSERT_EQ(driveList.Count(), 3);
    EXPECT_EQ(driveList.CheckedTexts().size(), 2U);
    EXPECT_TRUE(driveList.Checked(0));
    EXPECT_FALSE(driveList.Checked(1));
    EXPECT_TRUE(driveList.Checked(2));
    // Once while the list is built (N: is listed after C: and E:, so the list has rows), once after.
    EXPECT_EQ(drives.connections, (std::vector<std::string>{"N: nas:/media", "N: nas:/media"}));
}

TEST_F(MainForm, LoadWithoutTheNetworkCheckConnectsNothing) {
    drives.Map('N', "nas:/media");
    state.Drives = "C:\\N:\\";
    state.DriveStart = 0;
    Form().Form_Load();
    EXPECT_TRUE(drives.connections.empty());
    EXPECT_EQ(driveList.Count(), 1);
}

TEST_F(MainForm, SaveCommandWritesTheTicksAndItsKeysInOrder) {
    drives.drives['C'] = {platform::kDriveFixed, true, "system"};
    drives.drives['E'] = {platform::kDriveRemovable, true, "stick"};
    Form().Form_Load();
    driveList.SetChecked(1, true);
    store.writes.clear();
    Form().cmd_Speichern_Click();
    EXPECT_EQ(state.Drives, "E:\\");
    EXPECT_EQ(store.writes,
              (std::vector<std::string>{"Drives", "Times", "AutoStart", "AutoTray", "DriveStart"}));
    EXPECT_EQ(TextOf("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert"), "5 Min.");
    store.writes.clear();
    Form().list_Laufwerke_LostFocus();
    EXPECT_EQ(store.writes.size(), 5U);
}

TEST_F(MainForm, UnloadRunsItsStepsInOrderAndSavesThePlacement) {
    Form().Form_Load();
    window.left = 3000;
    window.top = 1500;
    Form().Form_Unload();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"unload tray menu", "delete", "close other windows"}));
    EXPECT_EQ(store.writes, (std::vector<std::string>{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
    EXPECT_EQ(store.Get("MainLeft"), "3000");
    EXPECT_EQ(store.Get("MainTop"), "1500");
    EXPECT_EQ(store.Get("MainWidth"), "10000");
    EXPECT_EQ(store.Get("MainHeight"), "7100");
}

TEST_F(MainForm, UnloadWhileMinimisedKeepsTheLastPlacement) {
    store.Set("MainLeft", "2000");
    Form().Form_Load();
    window.minimised = true;
    window.left = -32000;
    Form().Form_Unload();
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(store.Get("MainLeft"), "2000");
}

TEST_F(MainForm, UnloadWritesTheAutostartEntryWhenAutoStartIsOn) {
    state.AutoStart = true;
    location.programFile = "/home/user/my apps/wakelatch";
    Form().Form_Load();
    Form().Form_Unload();
    EXPECT_EQ(autostart.entries.at("Wakelatch"), "/home/user/my apps/wakelatch");
    EXPECT_EQ(state.LastResult, 1);
}

TEST_F(MainForm, UnloadRemovesTheAutostartEntryWhenAutoStartIsOff) {
    autostart.entries["Wakelatch"] = "/old/path";
    Form().Form_Load();
    Form().Form_Unload();
    EXPECT_TRUE(autostart.entries.empty());
    EXPECT_EQ(state.LastResult, 1);
}

TEST_F(MainForm, RemovingAnAbsentEntryReportsFalseSilently) {
    state.LastResult = 99;
    Form().Form_Load();
    Form().Form_Unload();
    EXPECT_EQ(autostart.calls, (std::vector<std::string>{"remove Wakelatch"}));
    EXPECT_EQ(state.LastResult, 0);
}

TEST_F(MainForm, SessionEndSavesWithoutUnloading) {
    state.AutoStart = true;
    Form().Form_Load();
    Form().SaveSessionState();
    EXPECT_EQ(store.writes, (std::vector<std::string>{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
    EXPECT_EQ(autostart.entries.count("Wakelatch"), 1U);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(Form().Unloaded());

    // The session end was cancelled; the user changes the setting and exits later.
    state.AutoStart = false;
    Form().Form_Unload();
    EXPECT_EQ(autostart.entries.count("Wakelatch"), 0U);
    EXPECT_EQ(store.writes.size(), 8U);
}

TEST_F(MainForm, UnloadRunsOnlyOnce) {
    Form().Form_Load();
    Form().Form_Unload();
    Form().Form_Unload();
    EXPECT_EQ(autostart.calls.size(), 1U);
    EXPECT_EQ(store.writes.size(), 4U);
}

TEST_F(MainForm, RestoreFromTrayShowsTheWindowAndLeavesTheTray) {
    state.AutoTray = true;
    Form().Form_Load();
    Form().RestoreFromTray();
    EXPECT_TRUE(window.visible);
    EXPECT_FALSE(state.AutoTray);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"delete"}));
    EXPECT_FALSE(store.Has("AutoTray"));  // restoring does not save the setting
}

}  // namespace
}  // namespace wakelatch
