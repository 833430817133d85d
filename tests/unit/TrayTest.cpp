#include <gtest/gtest.h>

#include "fakes/MainFormRig.h"
#include "ui/tray/frm_TrayMenu.h"

namespace wakelatch {
namespace {

class Tray : public ::testing::Test, protected testing::MainFormRig {
  protected:
    Tray() {
        drives.drives['C'] = {platform::kDriveFixed, true, "c"};
        Form().Form_Load();
        window.visible = true;
    }
};

TEST_F(Tray, HidingAddsTheIdleIconWithItsTipAndSavesNothing) {
    Form().cmd_Minimieren_Click();
    EXPECT_FALSE(window.visible);
    EXPECT_FALSE(store.Has("AutoTray"));
    EXPECT_EQ(notificationArea.calls, std::vector<std::string>{"add idle"});
    EXPECT_EQ(notificationArea.tip, std::string("Wakelatch") + '\0' + std::string(54, ' '));
    EXPECT_EQ(trayIcon.Record().hWnd, host.TrayMenuWindow());  // the tray menu gets the icon's events
}

TEST_F(Tray, APassSwitchesToTheWorkingIconAndBackOnlyWhileTheProgramLivesInTheTray) {
    Form().cmd_Start_Click();
    EXPECT_TRUE(notificationArea.calls.empty());

    state.AutoTray = true;  // set in the options dialog while the window is shown: the next pass adds it
    Form().cmd_Start_Click();
    EXPECT_EQ(notificationArea.calls,
              (std::vector<std::string>{"delete", "add working", "delete", "add idle"}));
    EXPECT_FALSE(state.TrayIconBusy);
}

// Without the tray's icon the user could never bring the window back: hiding only minimises.
TEST_F(Tray, WithoutANotificationAreaHidingMinimisesInstead) {
    notificationArea.available = false;
    Form().cmd_Minimieren_Click();
    EXPECT_TRUE(window.minimised);
    EXPECT_FALSE(state.AutoTray);
    EXPECT_TRUE(notificationArea.calls.empty());
}

TEST_F(Tray, ADoubleClickDuringAPassLeavesNoIconBehind) {
    Form().cmd_Minimieren_Click();
    bool clicked = false;
    onYield = [&] {
        if (!clicked) {
            clicked = true;
            Form().RestoreFromTray();  // the user double-clicks the working icon
        }
    };
    Form().cmd_Start_Click();
    EXPECT_TRUE(window.visible);
    EXPECT_FALSE(notificationArea.present);
}

class TrayMenu : public Tray {
  protected:
    TrayMenu()
        : menu(state, store, {mnuStop, mnuMax, mnuAuto, mnuTrayStart, mnuInfo, mnuExit, menuTray}, Form()) {
        // The main window sets the captions of the tray menu's own entries.
        mnuStop.text = TextOf("mnuStop");
        texts.Add("mnuStop", mnuStop);
    }
    testing::FakeMenuEntry mnuStop{"&Anhalten"}, mnuMax, mnuAuto, mnuTrayStart, mnuInfo, mnuExit;
    testing::FakePopupMenu menuTray;
    frm_TrayMenu menu;
};

TEST_F(TrayMenu, MarksFollowTheSettingsAndTogglesChangeTheMarkTheFieldAndTheKeyAtOnce) {
    state.AutoTray = true;
    menu.Form_Load();
    EXPECT_FALSE(mnuAuto.checked);
    EXPECT_TRUE(mnuTrayStart.checked);
    menu.mnuAuto_Click();
    EXPECT_TRUE(mnuAuto.checked);
    EXPECT_TRUE(state.AutoStart);
    EXPECT_EQ(store.Get("AutoStart"), "True");
    EXPECT_TRUE(autostart.calls.empty());  // the autostart entry itself is written at exit
    menu.mnuTrayStart_Click();
    EXPECT_FALSE(mnuTrayStart.checked);
    EXPECT_EQ(store.Get("AutoTray"), "False");
}

TEST_F(TrayMenu, TheIconsMouseEvents) {
    Form().cmd_Minimieren_Click();
    for (const int other : {0x200, 0x201, 0x202, 0x204, 0x207, 0x208}) {
        menu.Form_MouseMove(other);
    }
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(menuTray.popups, 0);
    menu.Form_MouseMove(0x205);
    EXPECT_EQ(menuTray.popups, 1);
    menu.Form_MouseMove(0x203);  // a double click restores the window and leaves the tray
    EXPECT_TRUE(window.visible);
    EXPECT_FALSE(notificationArea.present);
    EXPECT_FALSE(store.Has("AutoTray"));  // without saving the setting
}

// The stop entry always says what choosing it does, and choosing it does that.
TEST_F(TrayMenu, TheStopEntryTellsTheTruth) {
    EXPECT_EQ(mnuStop.text, "Automatik anhalten");
    standby.Tick();
    menu.mnuStop_Click();
    EXPECT_EQ(mnuStop.text, "Automatik starten");
    EXPECT_FALSE(standby.enabled);
    EXPECT_FALSE(pass.enabled);

    Form().Einstellen_Sprache();  // applying the texts again does not claim it runs
    EXPECT_EQ(mnuStop.text, "Automatik starten");

    Form().cmd_Start_Click();  // a manual start sets the automatic going again
    EXPECT_TRUE(standby.enabled);
    EXPECT_EQ(mnuStop.text, "Automatik anhalten");
    menu.mnuStop_Click();
    menu.mnuStop_Click();  // and so does the entry
    EXPECT_TRUE(standby.enabled);

    // A stop cancels a due pass, and nothing turns the counting back on behind the user's back.
    for (int minute = 1; minute < 5; ++minute) {
        standby.Tick();
    }
    ASSERT_TRUE(pass.enabled);
    menu.mnuStop_Click();
    pass.Tick();
    EXPECT_FALSE(standby.enabled);
}

}  // namespace
}  // namespace wakelatch
