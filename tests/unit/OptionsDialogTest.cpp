#include <gtest/gtest.h>

#include "fakes/FakeControls.h"
#include "fakes/FakeSettingsStore.h"
#include "ui/options/frm_Options.h"

namespace wakelatch {
namespace {

// The dialog over fakes; closing runs the close check as the window would.
class Options : public ::testing::Test, public OptionsHost {
  protected:
    Options() {
        state.ProgramVersion = "1.0.0";
        state.Language = 1;
        state.DriveName = 1;
        state.DriveStart = 1;
    }

    frm_Options& Open() {
        form = std::make_unique<frm_Options>(
            state, store, messages, *this,
            frm_Options::Controls{window, chk_Autostart, chk_Traystart, chk_StartNetDrive, opt_DRIVE_Name_0,
                                  opt_DRIVE_Name_1, opt_GERMANY, opt_ENGLISCH, cmd_Speichern, texts});
        form->Form_Load();
        return *form;
    }
    // The close box: true when the dialog closed.
    bool CloseBox() {
        closed = !form->Form_QueryUnload();
        return closed;
    }
    // A user click on a check box: the value flips, then the handler runs.
    void Click(testing::FakeToggle& box, void (frm_Options::*handler)()) {
        box.value = box.value == 1 ? 0 : 1;
        (form.get()->*handler)();
    }

    // OptionsHost
    void CloseDialog() override { CloseBox(); }
    void SetTrayCheckMarks(bool autoStart, bool autoTray) override { trayMarks = {autoStart, autoTray}; }
    void ExtractHelpFile() override { ++helpExtractions; }
    void SetMainRefreshPending() override { mainRefreshPending = true; }

    ProgramState state;
    testing::FakeSettingsStore store;
    testing::FakeMessageBox messages;
    testing::FakeFormWindow window;
    testing::FakeToggle chk_Autostart, chk_Traystart, chk_StartNetDrive, opt_DRIVE_Name_0, opt_DRIVE_Name_1,
        opt_GERMANY, opt_ENGLISCH;
    testing::FakeCommandButton cmd_Speichern;
    testing::FakeCaptionTargets texts;  // the captions are the widget tests' concern
    std::unique_ptr<frm_Options> form;
    bool closed = false;
    std::pair<bool, bool> trayMarks{false, false};
    int helpExtractions = 0;
    bool mainRefreshPending = false;
};

TEST_F(Options, OpeningShowsTheSettingsAndClosingWithoutChangesAsksAndWritesNothing) {
    state.AutoTray = true;
    Open();
    EXPECT_FALSE(cmd_Speichern.enabled);
    EXPECT_EQ(opt_GERMANY.value, 1);
    EXPECT_EQ(opt_DRIVE_Name_1.value, 1);
    EXPECT_EQ(chk_StartNetDrive.value, 1);
    EXPECT_EQ(chk_Traystart.value, 1);
    EXPECT_EQ(chk_Autostart.value, 0);

    // Undoing a change disables Save again.
    Click(chk_Autostart, &frm_Options::chk_Autostart_Click);
    EXPECT_TRUE(cmd_Speichern.enabled);
    Click(chk_Autostart, &frm_Options::chk_Autostart_Click);
    EXPECT_FALSE(cmd_Speichern.enabled);
    form->opt_GERMANY_Click();  // German again while German is chosen
    EXPECT_FALSE(cmd_Speichern.enabled);
    EXPECT_TRUE(CloseBox());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(store.writes.empty());
    EXPECT_FALSE(mainRefreshPending);
}

TEST_F(Options, TheEnglishFlagSwitchesTheQuestionsButDiscardKeepsGerman) {
    Open();
    form->img_FLAG_ENGLISCH_Click();
    EXPECT_EQ(opt_ENGLISCH.value, 1);
    messages.answers = {controls::kAnswerYes};
    EXPECT_TRUE(CloseBox());
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].title, "Changequestion");
    EXPECT_EQ(messages.shown[0].text, "You have change some options, you are sure destroy?");
    EXPECT_EQ(messages.shown[0].buttons, controls::MessageButtons::YesNo);
    EXPECT_EQ(state.Language, 1);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(Options, NoThenNoKeepsTheDialogOpenWithTheEdits) {
    Open();
    Click(chk_Autostart, &frm_Options::chk_Autostart_Click);
    form->opt_DRIVE_Name_Click(0);
    messages.answers = {controls::kAnswerNo, controls::kAnswerNo};
    EXPECT_FALSE(CloseBox());
    ASSERT_EQ(messages.shown.size(), 2U);
    EXPECT_EQ(messages.shown[0].title, "Änderungsfeststellung");
    EXPECT_EQ(messages.shown[1].title, "Verfahrensweise");
    EXPECT_EQ(messages.shown[1].text,
              "Sollen die Einstellungen gespeichert und der Dialoag geschlossen werden?");
    EXPECT_EQ(form->Working().DriveName, 0);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(Options, NoThenYesSavesEverythingAndTheMainWindowRefreshes) {
    Open();
    Click(chk_Autostart, &frm_Options::chk_Autostart_Click);
    form->opt_ENGLISCH_Click();
    messages.answers = {controls::kAnswerNo, controls::kAnswerYes};
    EXPECT_TRUE(CloseBox());
    EXPECT_EQ(messages.shown[1].title, "What go now?");  // asked in the language chosen in the dialog
    EXPECT_EQ(store.writes,
              (std::vector<std::string>{"Language", "AutoStart", "AutoTray", "DriveName", "DriveStart"}));
    EXPECT_EQ(store.Get("Language"), "2");
    EXPECT_EQ(state.Language, 2);
    EXPECT_EQ(trayMarks, std::make_pair(true, false));
    EXPECT_TRUE(mainRefreshPending);
    EXPECT_EQ(helpExtractions, 1);
}

TEST_F(Options, OkSavesAndClosesWithoutAsking) {
    Open();
    Click(chk_Traystart, &frm_Options::chk_Traystart_Click);
    form->cmd_Speichern_Click();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(store.Get("AutoTray"), "True");
    EXPECT_TRUE(mainRefreshPending);
}

TEST_F(Options, CancelWithoutChangesClosesAndAsksTheMainWindowToRefresh) {
    Open();
    form->cmd_Beenden_Click();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(mainRefreshPending);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace wakelatch
