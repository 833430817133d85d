#include <gtest/gtest.h>

#include "fakes/MainFormRig.h"

namespace wakelatch {
namespace {

class MainForm : public ::testing::Test, protected testing::MainFormRig {};

// A stored size is ignored; a position that is no number reads as the default.
TEST_F(MainForm, LoadPlacesTheWindowWithItsFixedSize) {
    store.Set("MainLeft", "2400");
    store.Set("MainTop", "here");
    store.Set("MainWidth", "12000");
    Form().Form_Load();
    EXPECT_EQ(window.left, 2400.0F);
    EXPECT_EQ(window.top, 1000.0F);
    EXPECT_EQ(window.width, 10000.0F);
}

// Load restarts the minute count and waits for the pass timer. An interval outside 1..60 is brought into
// range first: it would give the pass timer an interval of 0 or less (a timer that fires without pause) or
// one without a slider position.
TEST(MainFormTimers, LoadSetsUpTheTimersAndTheSliderWithTheIntervalInRange) {
    struct Case {
        int stored;
        int times;
        int passInterval;
        int sliderPosition;
    };
    for (const Case c : {Case{5, 5, 5000, 56}, Case{0, 1, 1000, 60}, Case{61, 60, 60000, 1}}) {
        testing::MainFormRig rig;
        rig.state.Times = c.stored;
        rig.standby.tag = "3";
        rig.pass.enabled = true;
        rig.Form().Form_Load();
        EXPECT_EQ(rig.state.Times, c.times) << c.stored;
        EXPECT_EQ(rig.pass.interval, c.passInterval) << c.stored;
        EXPECT_FALSE(rig.pass.enabled) << c.stored;
        EXPECT_EQ(rig.slider.value, c.sliderPosition) << c.stored;
        EXPECT_EQ(rig.standby.tag, "0") << c.stored;
        EXPECT_EQ(rig.standby.interval, 60000) << c.stored;
    }
}

TEST_F(MainForm, UnloadRunsItsStepsInOrderOnceAndSavesThePlacement) {
    Form().Form_Load();
    window.left = 3000;
    window.top = 1500;
    Form().Form_Unload();
    Form().Form_Unload();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"unload tray menu", "delete", "close other windows"}));
    EXPECT_EQ(store.writes, (std::vector<std::string>{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
    EXPECT_EQ(store.Get("MainLeft"), "3000");
    EXPECT_EQ(store.Get("MainTop"), "1500");
    EXPECT_EQ(store.Get("MainHeight"), "7100");
    EXPECT_EQ(autostart.calls.size(), 1U);
}

// The autostart entry follows AutoStart at exit; LastResult says whether the write or removal worked.
TEST(MainFormAutostart, UnloadWritesOrRemovesTheEntry) {
    struct Case {
        bool autoStart;
        const char* before;  // the entry's command, or none
        const char* after;
        int lastResult;
    };
    for (const Case c : {Case{true, nullptr, "/home/user/my apps/wakelatch", 1},
                         Case{false, "/old/path", nullptr, 1}, Case{false, nullptr, nullptr, 0}}) {
        testing::MainFormRig rig;
        rig.state.AutoStart = c.autoStart;
        rig.state.LastResult = 99;
        rig.location.programFile = "/home/user/my apps/wakelatch";
        if (c.before) {
            rig.autostart.entries["Wakelatch"] = c.before;
        }
        rig.Form().Form_Load();
        rig.Form().Form_Unload();
        EXPECT_EQ(rig.autostart.entries.count("Wakelatch"), c.after ? 1U : 0U);
        if (c.after) {
            EXPECT_EQ(rig.autostart.entries.at("Wakelatch"), c.after);
        }
        EXPECT_EQ(rig.state.LastResult, c.lastResult);
    }
}

TEST_F(MainForm, SessionEndSavesWithoutUnloading) {
    state.AutoStart = true;
    Form().Form_Load();
    Form().SaveSessionState();
    EXPECT_EQ(store.writes, (std::vector<std::string>{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
    EXPECT_EQ(autostart.entries.count("Wakelatch"), 1U);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(Form().Unloaded());
}

}  // namespace
}  // namespace wakelatch
