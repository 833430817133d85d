#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/MessageLoop.h"
#include "fakes/MainFormRig.h"
#include "fakes/WindowTexts.h"
#include "ui/win32/CommonControls.h"
#include "ui/win32/MainWindowView.h"
#include "ui/win32/TrayMenuView.h"
#include "ui/win32/Win32Texts.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch::win32ui {
namespace {

// A menu item's text by position, accelerator marks included; "" for a separator.
std::string MenuText(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return platform::utf::Narrow(text);
}

// The first status bar part's text.
std::string StatusPanelText(HWND bar) {
    wchar_t text[256] = {};
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return platform::utf::Narrow(text);
}

// The real window over the main window's logic, loaded on fake drives: the rig's state and services, the
// real window's controls.
class MainWindow : public ::testing::Test {
  protected:
    void Load(int language) {
        rig.state.Language = language;
        rig.drives.drives['C'] = {platform::kDriveFixed, true, "System"};
        rig.drives.drives['E'] = {platform::kDriveRemovable, true, "Stick"};
        form = std::make_unique<frm_Main>(
            rig.state, view.Controls(),
            frm_Main::Services{rig.store, rig.location, rig.autostart, rig.host, rig.trayIcon, rig.drives,
                               view.DriveListMeasurer(), [] { win32app::DispatchWaitingMessages({}); },
                               [](int) {}});
        view.Connect(*form);
        view.SetUnloadHandler([this] {
            ++unloads;
            form->Form_Unload();
        });
        form->Form_Load();
    }

    testing::MainFormRig rig;
    MainWindowView view;
    std::unique_ptr<frm_Main> form;
    int unloads = 0;
};

TEST_F(MainWindow, ListsTheDrivesKeepsAPlaceOnScreenAndClosingUnloadsOnce) {
    SKIP_WITHOUT_WINDOW(view.Hwnd());
    Load(1);
    EXPECT_FALSE(IsWindowVisible(view.ControlNamed("list_Laufwerke_TEMP")));
    EXPECT_EQ(view.Controls().list_Laufwerke.Count(), 2);

    // A place off every monitor lands on the primary one.
    view.Controls().window.SetPlacement(900000.0F, -900000.0F, 10000.0F, 7100.0F);
    EXPECT_LT(view.Controls().window.Left(), 20000.0F);
    EXPECT_GE(view.Controls().window.Top(), 0.0F);

    SendMessageW(view.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(view.Hwnd()));
    view.Close();
    EXPECT_EQ(unloads, 1);
}

// What the tray menu's entries asked for.
class RecordingActions final : public TrayMenuActions {
  public:
    void RestoreFromTray() override { calls.push_back("restore"); }
    void StopAutomatic() override { calls.push_back("stop"); }
    void StartAutomatic() override { calls.push_back("start"); }
    void ShowAbout() override { calls.push_back("about"); }
    void cmd_Beenden_Click() override { calls.push_back("exit"); }
    std::vector<std::string> calls;
};

// The entries' logic is unit-tested and the icon's clicks are checked on the real program; here the
// entries' commands and a check mark in the real menu.
TEST(Win32TrayMenu, TheEntriesReachTheirHandlersAndCheckMarksFollowTheSettings) {
    TrayMenuView view;
    SKIP_WITHOUT_WINDOW(view.Hwnd());
    ProgramState state;
    testing::FakeSettingsStore settings;
    RecordingActions actions;
    frm_TrayMenu form(state, settings, view.Controls(), actions);
    view.Connect(form);
    form.Form_Load();
    const auto choose = [&](const char* entry) {
        SendMessageW(view.Hwnd(), WM_COMMAND, view.CommandOf(entry), 0);
    };
    view.Controls().mnuStop.SetText("Stop automatic");  // the design caption neither stops nor starts
    for (const char* entry : {"mnuStop", "mnuMax", "mnuInfo", "mnuExit"}) {
        choose(entry);
    }
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"stop", "restore", "about", "exit"}));
    choose("mnuAuto");
    EXPECT_NE(GetMenuState(view.Menu(), view.CommandOf("mnuAuto"), MF_BYCOMMAND) & MF_CHECKED, 0U);
}

// Every text of the main window and its tray menu as the real windows show it, for Language 1, 2 and 3.
class MainWindowCaptions : public MainWindow, public ::testing::WithParamInterface<int> {};

TEST_P(MainWindowCaptions, AreThoseOfItsLanguage) {
    SKIP_WITHOUT_WINDOW(view.Hwnd());
    TrayMenuView tray;
    tray.AddCaptionTargets(view.CaptionTargets());
    const int language = GetParam();
    Load(language);
    const HMENU bar = GetMenu(view.Hwnd());
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    // Win32 menus keep no names: their entries by position.
    const std::map<std::string, std::string> menuEntries = {
        {"mnuFile", MenuText(bar, 0)},
        {"mnuFileProperties", MenuText(GetSubMenu(bar, 0), 0)},
        {"mnuFileExit", MenuText(GetSubMenu(bar, 0), 2)},
        {"mnuHelp", MenuText(bar, 1)},
        {"mnuAnleitung", MenuText(GetSubMenu(bar, 1), 0)},
        {"mnuHelpAbout", MenuText(GetSubMenu(bar, 1), 2)},
    };
    for (const testing::ShownText& shown : testing::kMainWindowTexts) {
        const std::string name = shown.control;
        std::string text;
        if (name == "frm_Main") {
            text = TextOf(view.Hwnd());
        } else if (name == "sbStatusBar_Panel1") {
            text = StatusPanelText(view.ControlNamed("sbStatusBar"));
        } else if (menuEntries.contains(name)) {
            text = menuEntries.at(name);
        } else {
            ASSERT_NE(view.ControlNamed(name), nullptr) << name;
            text = TextOf(view.ControlNamed(name));
        }
        EXPECT_EQ(text, shown.text.at(language - 1)) << name << ", Language " << language;
    }
    ASSERT_EQ(GetMenuItemCount(tray.Menu()), static_cast<int>(std::size(testing::kTrayMenuTexts)));
    for (int entry = 0; entry < GetMenuItemCount(tray.Menu()); ++entry) {
        const testing::ShownText& shown = testing::kTrayMenuTexts[entry];
        EXPECT_EQ(MenuText(tray.Menu(), entry), shown.text.at(language - 1))
            << shown.control << ", Language " << language;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowCaptions, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace wakelatch::win32ui
