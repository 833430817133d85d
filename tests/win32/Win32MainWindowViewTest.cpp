#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/MessageLoop.h"
#include "fakes/MainFormRig.h"
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
    // A control's place in the client area, in twips.
    TwipsRect PlaceOf(HWND control) const {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, view.Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        const double perPixel = TwipsPerPixelOf(view.Hwnd());
        return {static_cast<int>(rect.left * perPixel), static_cast<int>(rect.top * perPixel),
                static_cast<int>((rect.right - rect.left) * perPixel),
                static_cast<int>((rect.bottom - rect.top) * perPixel)};
    }

    testing::MainFormRig rig;
    MainWindowView view;
    std::unique_ptr<frm_Main> form;
    int unloads = 0;
};

// Group boxes hold no controls in Win32: the slider, documented inside its frame, is shifted by the
// frame's place.
TEST_F(MainWindow, ControlsHaveTheirPlacesAndClosingUnloadsOnce) {
    SKIP_WITHOUT_WINDOW(view.Hwnd());
    Load(1);
    const TwipsRect place = PlaceOf(view.ControlNamed("sli_Standby"));
    const TwipsRect expected{8750, 1680, 675, 2415};
    EXPECT_NEAR(place.left, expected.left, 15);  // a pixel at 96 dpi
    EXPECT_NEAR(place.top, expected.top, 15);
    EXPECT_NEAR(place.width, expected.width, 15);
    EXPECT_NEAR(place.height, expected.height, 15);
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

// Every text of the main window and its tray menu as the real windows show it, for Language 1 (German),
// 2 (English) and 3 (any other: the design texts stay); the separators lie between the entries listed.
class MainWindowCaptions : public MainWindow, public ::testing::WithParamInterface<int> {};

struct Shown {
    const char*
        where;  // a control's name, "title", "status", "menu:<bar position>[:<entry>]", "tray:<entry>"
    std::array<const char*, 3> byLanguage;
};

const Shown kMainWindowTexts[] = {
    {"title", {"Wakelatch Version 1.0.0", "Wakelatch Version 1.0.0", "Wakelatch Version 1.0.0"}},
    {"cmd_Speichern", {"Speichern", "Save", "cmd_Speichern"}},
    {"cmd_Start", {"Manueller Start", "Start manuell", "cmd_Start"}},
    {"cmd_Beenden", {"Beenden", "Exit", "cmd_Beenden"}},
    {"cmd_Minimieren", {"Taskleiste minimieren", "Tray-Icon ON", "cmd_Minimieren"}},
    {"lbl_TEXT_Hinweis",
     {"Kontrollieren bzw. Ändern Sie Ihre Einstellungen für das Verhalten auf die gewünschten Laufwerke. "
      "Änderungen zum Startverhalten des Programmes stellen Sie über DATEI > EIGENSCHAFTEN ein.",
      "Controls relationship-wisely you alter your attitudes for the behavior on the wished drives. "
      "Alterations to the start-behavior of the program put you over FILE > OPTIONS one. ",
      "lbl_TEXT_Hinweis"}},
    {"fra_Laufwerke", {"  bekannte Laufwerke:  ", "  Systemdrives:  ", "fra_Laufwerke"}},
    {"fra_Standby", {"  Timer:  ", "  Timer:  ", "fra_Standby"}},
    {"lbl_fraStandby_TEXT_eingestelleMinuten",
     {"Aktuell:", "Actually:", "lbl_fraStandby_TEXT_eingestelleMinuten"}},
    {"lbl_fraStandby_TEXT_AnzeigeMinuten", {"5 Min.", "5 Min.", "lbl_fraStandby_TEXT_AnzeigeMinuten"}},
    {"lbl_fraStandby_TEXT_gespeicherteMinuten",
     {"Gespeichert:", "Time saved:", "lbl_fraStandby_TEXT_gespeicherteMinuten"}},
    {"lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert",
     {"5 Min.", "5 Min.", "lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert"}},
    {"status", {"Status: Aktiv", "Status: Active", "Status"}},
    {"menu:0", {"Menü", "Item", "&Datei"}},
    {"menu:0:0", {"Eigenschaften", "Options", "Ei&genschaften"}},
    {"menu:0:2", {"Beenden", "Exit program", "&Beenden"}},
    {"menu:1", {"&?", "&?", "&?"}},
    {"menu:1:0", {"Anleitung starten...", "Start help...", "H&ilfe"}},
    {"menu:1:2", {"Info...", "Info...", "Inf&o "}},
    {"tray:0", {"Automatik anhalten", "Stop automatic", "&Anhalten"}},
    {"tray:1", {"Wiederherstellen", "Maximized", "&Maximieren"}},
    {"tray:3", {"Programmstart mit Windows", "Start with windows", "Auto start Wake&latch"}},
    {"tray:4", {"Programmstart in Taskleiste", "Start as icon", "Start Wakelatch &DeziReroz"}},
    {"tray:6", {"In&fo Wakelatch...", "In&fo Wakelatch...", "In&fo Wakelatch..."}},
    {"tray:8", {"Beenden", "Exit", "Beenden &WakeLatch"}},
};

TEST_P(MainWindowCaptions, AreThoseOfItsLanguage) {
    SKIP_WITHOUT_WINDOW(view.Hwnd());
    TrayMenuView tray;
    tray.AddCaptionTargets(view.CaptionTargets());
    Load(GetParam());
    const HMENU bar = GetMenu(view.Hwnd());
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    ASSERT_EQ(GetMenuItemCount(tray.Menu()), 9);
    for (const Shown& shown : kMainWindowTexts) {
        const std::string where = shown.where;
        std::string text;
        if (where == "title") {
            text = TextOf(view.Hwnd());
        } else if (where == "status") {
            text = StatusPanelText(view.ControlNamed("sbStatusBar"));
        } else if (where.starts_with("tray:")) {
            text = MenuText(tray.Menu(), std::stoi(where.substr(5)));
        } else if (where.starts_with("menu:")) {
            const int menu = where[5] - '0';
            text = where.size() == 6 ? MenuText(bar, menu)
                                     : MenuText(GetSubMenu(bar, menu), std::stoi(where.substr(7)));
        } else {
            ASSERT_NE(view.ControlNamed(where), nullptr) << where;
            text = TextOf(view.ControlNamed(where));
        }
        EXPECT_EQ(text, shown.byLanguage.at(GetParam() - 1)) << where << ", Language " << GetParam();
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowCaptions, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace wakelatch::win32ui
