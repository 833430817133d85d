#pragma once

#include <array>
#include <string_view>

// The texts of the main window and the tray menu in both languages, beside the design text each control
// shows before the texts are applied (or for a language other than German and English).
namespace wakelatch::captions {

struct Caption {
    std::string_view control;
    std::string_view german;   // Language 1
    std::string_view english;  // Language 2
    std::string_view design;   // before the texts are applied; empty: the control's own name
};

inline constexpr std::array<Caption, 19> kMainWindowAndTrayMenu = {{
    {"cmd_Speichern", "Speichern", "Save", ""},
    {"cmd_Start", "Manueller Start", "Start manuell", ""},
    {"cmd_Beenden", "Beenden", "Exit", ""},
    {"cmd_Minimieren", "Taskleiste minimieren", "Tray-Icon ON", ""},
    {"lbl_TEXT_Hinweis",
     "Kontrollieren bzw. Ändern Sie Ihre Einstellungen für das Verhalten auf die gewünschten Laufwerke. "
     "Änderungen zum Startverhalten des Programmes stellen Sie über DATEI > EIGENSCHAFTEN ein.",
     "Controls relationship-wisely you alter your attitudes for the behavior on the wished drives. "
     "Alterations to the start-behavior of the program put you over FILE > OPTIONS one. ",
     ""},
    {"fra_Laufwerke", "  bekannte Laufwerke:  ", "  Systemdrives:  ", ""},
    {"fra_Standby", "  Timer:  ", "  Timer:  ", ""},
    {"lbl_fraStandby_TEXT_eingestelleMinuten", "Aktuell:", "Actually:", ""},
    {"lbl_fraStandby_TEXT_gespeicherteMinuten", "Gespeichert:", "Time saved:", ""},
    {"mnuFile", "Menü", "Item", "&Datei"},
    {"mnuFileProperties", "Eigenschaften", "Options", "Ei&genschaften"},
    {"mnuFileExit", "Beenden", "Exit program", "&Beenden"},
    {"mnuAnleitung", "Anleitung starten...", "Start help...", "H&ilfe"},
    {"mnuHelpAbout", "Info...", "Info...", "Inf&o "},
    {"mnuStop", "Automatik anhalten", "Stop automatic", "&Anhalten"},
    {"mnuMax", "Wiederherstellen", "Maximized", "&Maximieren"},
    {"mnuAuto", "Programmstart mit Windows", "Start with windows", "Auto start Wake&latch"},
    {"mnuTrayStart", "Programmstart in Taskleiste", "Start as icon", "Start Wakelatch &DeziReroz"},
    {"mnuExit", "Beenden", "Exit", "Beenden &WakeLatch"},
}};

// Texts that no language changes.
inline constexpr std::string_view kHelpMenuText = "&?";                   // mnuHelp
inline constexpr std::string_view kInfoEntryText = "In&fo Wakelatch...";  // tray menu mnuInfo

// The two interval labels show the minutes in every language.
inline constexpr std::array<std::string_view, 2> kMinuteLabels = {
    "lbl_fraStandby_TEXT_AnzeigeMinuten", "lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert"};

// The automatic's entry in the tray menu, running and stopped.
inline constexpr std::string_view kStopGerman = "Automatik anhalten";
inline constexpr std::string_view kStopEnglish = "Stop automatic";
inline constexpr std::string_view kStartGerman = "Automatik starten";
inline constexpr std::string_view kStartEnglish = "Start automatic";

// The text of a control for a language: German for 1, English for 2, nothing for any other value.
std::string_view ForLanguage(const Caption& caption, int language);

// The design text of a control: its own name unless a design text is given.
std::string_view DesignText(const Caption& caption);

}  // namespace wakelatch::captions
