#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/MainFormRig.h"
#include "platform/windows/Utf.h"
#include "ui/win32/MainWindowView.h"
#include "ui/win32/Win32Menus.h"
#include "ui/win32/Win32Texts.h"
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
    std::string MenuText(int position, int entry = -1) const {
        const HMENU bar = GetMenu(view.Hwnd());
        return entry < 0 ? MenuItemText(bar, static_cast<UINT>(position), true)
                         : MenuItemText(GetSubMenu(bar, position), static_cast<UINT>(entry), true);
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

TEST_F(MainWindow, CaptionsOfBothLanguagesAreShown) {
    SKIP_WITHOUT_WINDOW(view.Hwnd());
    struct Case {
        const char* name;
        const char* german;
        const char* english;
    };
    const std::vector<Case> controls = {
        {"cmd_Speichern", "Speichern", "Save"},
        {"cmd_Start", "Manueller Start", "Start manuell"},
        {"cmd_Beenden", "Beenden", "Exit"},
        {"cmd_Minimieren", "Taskleiste minimieren", "Tray-Icon ON"},
        {"lbl_TEXT_Hinweis",
         "Kontrollieren bzw. \xC3\x84ndern Sie Ihre Einstellungen f\xC3\xBCr das Verhalten auf die "
         "gew\xC3\xBCnschten Laufwerke. \xC3\x84nderungen zum Startverhalten des Programmes stellen Sie "
         "\xC3\xBC"
         "ber DATEI > EIGENSCHAFTEN ein.",
         "Controls relationship-wisely you alter your attitudes for the behavior on the wished drives. "
         "Alterations to the start-behavior of the program put you over FILE > OPTIONS one. "},
        {"fra_Laufwerke", "  bekannte Laufwerke:  ", "  Systemdrives:  "},
        {"fra_Standby", "  Timer:  ", "  Timer:  "},
        {"lbl_fraStandby_TEXT_eingestelleMinuten", "Aktuell:", "Actually:"},
        {"lbl_fraStandby_TEXT_AnzeigeMinuten", "5 Min.", "5 Min."},
        {"lbl_fraStandby_TEXT_gespeicherteMinuten", "Gespeichert:", "Time saved:"},
        {"lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert", "5 Min.", "5 Min."},
    };
    // Menu bar position, entry (-1 the menu's own title), German, English.
    struct MenuCase {
        int menu;
        int entry;
        const char* german;
        const char* english;
    };
    const std::vector<MenuCase> menus = {
        {0, -1, "Men\xC3\xBC", "Item"},
        {0, 0, "Eigenschaften", "Options"},
        {0, 2, "Beenden", "Exit program"},
        {1, -1, "&?", "&?"},
        {1, 0, "Anleitung starten...", "Start help..."},
        {1, 2, "Info...", "Info..."},
    };
    for (const int language : {1, 2}) {
        state.Language = language;
        if (form == nullptr) {
            Load(language);
        } else {
            form->Einstellen_Sprache();
        }
        for (const Case& c : controls) {
            EXPECT_EQ(TextOf(view.ControlNamed(c.name)), language == 1 ? c.german : c.english) << c.name;
        }
        for (const MenuCase& m : menus) {
            EXPECT_EQ(MenuText(m.menu, m.entry), language == 1 ? m.german : m.english) << m.menu << m.entry;
        }
        EXPECT_EQ(TextOf(view.Hwnd()), "Wakelatch Version 1.0.0");
    }
    EXPECT_EQ(view.Controls().sbStatusBar.PanelText(1), "Status: Aktiv");  // written at load, in German
    EXPECT_FALSE(view.Controls().sbStatusBar.PanelText(2).empty());
    EXPECT_FALSE(view.Controls().sbStatusBar.PanelText(3).empty());
}

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
