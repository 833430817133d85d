#include <gtest/gtest.h>

#include "fakes/FakeControls.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSettingsStore.h"
#include "ui/main/frm_Main.h"

namespace wakelatch {
namespace {

class RecordingHost final : public MainWindowHost {
  public:
    void UnloadTrayMenu() override { calls.push_back("unload tray menu"); }
    void DeleteTrayIcon() override { calls.push_back("delete tray icon"); }
    void CloseOtherWindows() override { calls.push_back("close other windows"); }
    std::vector<std::string> calls;
};

class MainForm : public ::testing::Test {
  protected:
    MainForm() {
        state.ProgramVersion = "1.0.0";
        state.Times = 5;
        state.Language = 1;
        state.DriveStart = 1;
    }

    frm_Main& Form() {
        if (!form) {
            form =
                std::make_unique<frm_Main>(state, frm_Main::Controls{window, status, standby, pass, slider},
                                           frm_Main::Services{store, location, autostart, host});
        }
        return *form;
    }

    ProgramState state;
    testing::FakeFormWindow window;
    testing::FakeStatusBar status;
    testing::FakeWindowTimer standby;
    testing::FakeWindowTimer pass;
    testing::FakeSlider slider;
    testing::FakeSettingsStore store;
    testing::FakeLocation location;
    testing::FakeAutostart autostart;
    RecordingHost host;
    std::unique_ptr<frm_Main> form;
};

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

TEST_F(MainForm, StatusTextByLanguage) {
    Form().Form_Load();
    EXPECT_EQ(status.PanelText(1), "Status: Aktiv");

    state.Language = 2;
    form.reset();
    Form().Form_Load();
    EXPECT_EQ(status.PanelText(1), "Status: Active");

    testing::FakeStatusBar untouched;
    state.Language = 3;
    form = std::make_unique<frm_Main>(state, frm_Main::Controls{window, untouched, standby, pass, slider},
                                      frm_Main::Services{store, location, autostart, host});
    form->Form_Load();
    EXPECT_EQ(untouched.PanelText(1), "Status");
    EXPECT_EQ(window.caption, "Wakelatch Version 1.0.0");  // the caption has no language
}

// An interval outside 1..60 would give the pass timer an interval of 0 or less (a timer that fires
// without pause) or one without a slider position.
TEST_F(MainForm, IntervalIsBroughtIntoRangeBeforeTheTimersUseIt) {
    struct Case {
        int stored;
        int times;
        int passInterval;
        int sliderPosition;
    };
    for (const Case c : {Case{0, 1, 1000, 60}, Case{-3, 1, 1000, 60}, Case{1, 1, 1000, 60},
                         Case{60, 60, 60000, 1}, Case{61, 60, 60000, 1}, Case{100000, 60, 60000, 1}}) {
        state.Times = c.stored;
        form.reset();
        Form().Form_Load();
        EXPECT_EQ(state.Times, c.times) << c.stored;
        EXPECT_EQ(pass.interval, c.passInterval) << c.stored;
        EXPECT_EQ(slider.value, c.sliderPosition) << c.stored;
    }
}

TEST_F(MainForm, UnloadRunsItsStepsInOrderAndSavesThePlacement) {
    Form().Form_Load();
    window.left = 3000;
    window.top = 1500;
    Form().Form_Unload();
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"unload tray menu", "delete tray icon", "close other windows"}));
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
    Form().Form_Load();
    Form().Form_Unload();
    EXPECT_EQ(autostart.calls, (std::vector<std::string>{"remove Wakelatch"}));
    EXPECT_EQ(state.LastResult, 0);
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
    EXPECT_EQ(host.calls, (std::vector<std::string>{"delete tray icon"}));
    EXPECT_FALSE(store.Has("AutoTray"));  // restoring does not save the setting
}

}  // namespace
}  // namespace wakelatch
