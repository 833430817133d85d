#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "fakes/MainFormRig.h"
#include "ui/win32/MainWindowView.h"
#include "ui/win32/TrayMenuView.h"
#include "win32/Win32TestSupport.h"

namespace wakelatch::win32ui {
namespace {

// The real window over the main window's logic, loaded on fake drives.
class MainWindow : public ::testing::Test {
  protected:
    void Load(int language) {
        state.ProgramVersion = "1.0.0";
        state.Language = language;
        state.Times = 5;
        state.DriveName = 1;
        state.Drives = "C:\\";
        drives.drives['C'] = {platform::kDriveFixed, true, "System"};
        drives.drives['E'] = {platform::kDriveRemovable, true, "Stick"};
        form = std::make_unique<frm_Main>(
            state, view.Controls(),
            frm_Main::Services{store, location, autostart, host, trayIcon, drives, view.DriveListMeasurer(),
                               [] { testing::PumpPending(); }, [](int) {}});
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
        const double twipsPerPixel = TwipsPerPixelOf(view.Hwnd());
        const auto twips = [twipsPerPixel](LONG pixels) { return static_cast<int>(pixels * twipsPerPixel); };
        return {twips(rect.left), twips(rect.top), twips(rect.right - rect.left),
                twips(rect.bottom - rect.top)};
    }

    ProgramState state;
    testing::FakeSettingsStore store;
    testing::FakeLocation location;
    testing::FakeAutostart autostart;
    testing::RecordingHost host;
    testing::FakeNotificationArea notificationArea;
    TrayIcon trayIcon{notificationArea};
    testing::FakeDrivePlatform drives;
    MainWindowView view;
    std::unique_ptr<frm_Main> form;
    int unloads = 0;
};

TEST_F(MainWindow, EveryControlHasItsNameAndItsPlace) {
    SKIP_WITHOUT_WINDOW(view.Hwnd());
    Load(1);
    struct Case {
        const char* name;
        TwipsRect place;  // in the client area: frames' controls shifted by their frame
    };
    for (const Case& c : {
             Case{"lbl_TEXT_Hinweis", {120, 120, 8055, 615}},
             Case{"fra_Laufwerke", {240, 840, 8415, 3975}},
             Case{"list_Laufwerke", {360, 1200, 8055, 3210}},
             Case{"list_Laufwerke_TEMP", {360, 1200, 8055, 3210}},
             Case{"fra_Standby", {8630, 840, 1000, 3975}},
             Case{"lbl_fraStandby_TEXT_eingestelleMinuten", {8565, 1110, 1095, 255}},
             Case{"lbl_fraStandby_TEXT_AnzeigeMinuten", {8445, 1395, 1335, 255}},
             Case{"sli_Standby", {8750, 1680, 675, 2415}},
             Case{"lbl_fraStandby_TEXT_gespeicherteMinuten", {8390, 4155, 1455, 255}},
             Case{"lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert", {8550, 4440, 1095, 255}},
             Case{"cmd_Speichern", {240, 5160, 2175, 495}},
             Case{"cmd_Start", {2640, 5160, 2175, 495}},
             Case{"cmd_Minimieren", {5040, 5160, 2175, 495}},
             Case{"cmd_Beenden", {7440, 5160, 2175, 495}},
         }) {
        const HWND control = view.ControlNamed(c.name);
        ASSERT_NE(control, nullptr) << c.name;
        const TwipsRect place = PlaceOf(control);
        const double pixel = TwipsPerPixelOf(view.Hwnd());
        EXPECT_NEAR(place.left, c.place.left, pixel) << c.name;
        EXPECT_NEAR(place.top, c.place.top, pixel) << c.name;
        EXPECT_NEAR(place.width, c.place.width, pixel) << c.name;
        EXPECT_NEAR(place.height, c.place.height, pixel) << c.name;
    }
    EXPECT_FALSE(IsWindowVisible(view.ControlNamed("list_Laufwerke_TEMP")));
    EXPECT_EQ(view.Controls().window.Left(), 1000.0F);
    EXPECT_EQ(view.Controls().window.Width(), 10000.0F);
    EXPECT_EQ(view.Controls().list_Laufwerke.Count(), 2);

    // A place off every monitor lands on the primary one.
    view.Controls().window.SetPlacement(900000.0F, -900000.0F, 10000.0F, 7100.0F);
    EXPECT_LT(view.Controls().window.Left(), 20000.0F);
    EXPECT_GE(view.Controls().window.Top(), 0.0F);
}

// Every text of the main window and its tray menu as the real windows show it, for Language 1 (German),
// 2 (English) and 3 (any other: the design texts stay).
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
    {"menu:0:1", {"", "", ""}},
    {"menu:0:2", {"Beenden", "Exit program", "&Beenden"}},
    {"menu:1", {"&?", "&?", "&?"}},
    {"menu:1:0", {"Anleitung starten...", "Start help...", "H&ilfe"}},
    {"menu:1:1", {"", "", ""}},
    {"menu:1:2", {"Info...", "Info...", "Inf&o "}},
    {"tray:0", {"Automatik anhalten", "Stop automatic", "&Anhalten"}},
    {"tray:1", {"Wiederherstellen", "Maximized", "&Maximieren"}},
    {"tray:2", {"", "", ""}},
    {"tray:3", {"Programmstart mit Windows", "Start with windows", "Auto start Wake&latch"}},
    {"tray:4", {"Programmstart in Taskleiste", "Start as icon", "Start Wakelatch &DeziReroz"}},
    {"tray:5", {"", "", ""}},
    {"tray:6", {"In&fo Wakelatch...", "In&fo Wakelatch...", "In&fo Wakelatch..."}},
    {"tray:7", {"", "", ""}},
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
            text = testing::WindowText(view.Hwnd());
        } else if (where == "status") {
            text = testing::StatusPanelText(view.ControlNamed("sbStatusBar"), 0);
        } else if (where.starts_with("tray:")) {
            text = testing::MenuText(tray.Menu(), std::stoi(where.substr(5)));
        } else if (where.starts_with("menu:")) {
            const int menu = where[5] - '0';
            text = where.size() == 6 ? testing::MenuText(bar, menu)
                                     : testing::MenuText(GetSubMenu(bar, menu), std::stoi(where.substr(7)));
        } else {
            ASSERT_NE(view.ControlNamed(where), nullptr) << where;
            text = testing::WindowText(view.ControlNamed(where));
        }
        EXPECT_EQ(text, shown.byLanguage.at(GetParam() - 1)) << where << ", Language " << GetParam();
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowCaptions, ::testing::Values(1, 2, 3));

TEST_F(MainWindow, ClosingUnloadsOnceAndDestroysTheWindow) {
    SKIP_WITHOUT_WINDOW(view.Hwnd());
    Load(2);
    SendMessageW(view.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(IsWindow(view.Hwnd()));
    view.Close();
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(store.Get("MainLeft"), "1000");
}

}  // namespace
}  // namespace wakelatch::win32ui
