#pragma once

#include <array>

// The texts each window shows, by control name, for Language 1 (German), 2 (English) and 3 (any other
// value: the windows keep their design texts). They are the program's own, odd spellings and blanks
// included, written here once, by hand, for the Qt and the Win32 windows alike. A window's own name stands
// for its title.
namespace wakelatch::testing {

struct ShownText {
    const char* control;
    std::array<const char*, 3> text;
};
// A text that no language changes.
constexpr ShownText Same(const char* control, const char* text) {
    return {control, {text, text, text}};
}

inline constexpr ShownText kMainWindowTexts[] = {
    Same("frm_Main", "Wakelatch Version 1.0.0"),
    {"mnuFile", {"Menü", "Item", "&Datei"}},
    {"mnuFileProperties", {"Eigenschaften", "Options", "Ei&genschaften"}},
    {"mnuFileExit", {"Beenden", "Exit program", "&Beenden"}},
    Same("mnuHelp", "&?"),
    {"mnuAnleitung", {"Anleitung starten...", "Start help...", "H&ilfe"}},
    {"mnuHelpAbout", {"Info...", "Info...", "Inf&o "}},
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
    {"cmd_Speichern", {"Speichern", "Save", "cmd_Speichern"}},
    {"cmd_Start", {"Manueller Start", "Start manuell", "cmd_Start"}},
    {"cmd_Minimieren", {"Taskleiste minimieren", "Tray-Icon ON", "cmd_Minimieren"}},
    {"cmd_Beenden", {"Beenden", "Exit", "cmd_Beenden"}},
    {"sbStatusBar_Panel1", {"Status: Aktiv", "Status: Active", "Status"}},
};

// The tray menu's entries in their order; the separators have no text.
inline constexpr ShownText kTrayMenuTexts[] = {
    {"mnuStop", {"Automatik anhalten", "Stop automatic", "&Anhalten"}},
    {"mnuMax", {"Wiederherstellen", "Maximized", "&Maximieren"}},
    Same("mnuLine1", ""),
    {"mnuAuto", {"Programmstart mit Windows", "Start with windows", "Auto start Wake&latch"}},
    {"mnuTrayStart", {"Programmstart in Taskleiste", "Start as icon", "Start Wakelatch &DeziReroz"}},
    Same("mnuLine2", ""),
    Same("mnuInfo", "In&fo Wakelatch..."),
    Same("mnuLine3", ""),
    {"mnuExit", {"Beenden", "Exit", "Beenden &WakeLatch"}},
};

inline constexpr ShownText kOptionsDialogTexts[] = {
    {"frm_Options",
     {"Wakelatch Version 1.0.0 - Programmsetup", "Wakelatch Version 1.0.0 - Options", "frm_Options"}},
    {"lbl_TEXT_Hinweis",
     {"Stellen Sie sich das Programm ganz auf Ihre Bedürfnisse ein. Beachten Sie jedoch, das Sie die "
      "Einstellungen mit dem Drücken des OK-Buttons sofort übernehmen.",
      "Adjust the program completely to your needs for itself. Heed, however, that immediately takes on you "
      "with the pressing the OK-button the attitudes.",
      "lbl_TEXT_Hinweis"}},
    {"fra_Optionen", {" Einstellungen Programmverhalten: ", "Attitudes program-behavior: ", "fra_Optionen"}},
    {"fra_Language", {" Sprachauswahl: ", "Laguage select: ", "fra_Language"}},
    {"cmd_Beenden", {"Abbrechen", "Cancel", "cmd_Beenden"}},
    {"cmd_Speichern", {"OK", "OK", "cmd_Speichern"}},
    {"chk_Autostart", {"Programmstart mit Windows", "Start with Windows", "chk_Autostart"}},
    {"chk_Traystart", {"Starten in der Taskleiste", "Start as Icon", "chk_Traystart"}},
    {"chk_StartNetDrive",
     {"Netzlaufwerke regelmässig kontrollieren und verbinden", "Controll and connected all Remote-Drives",
      "chk_StartNetDrive"}},
    {"opt_DRIVE_Name(1)", {"Laufwerke mit Bezeichung anzeigen", "Drives with name", "opt_DRIVE_Name(1)"}},
    {"opt_DRIVE_Name(0)",
     {"Laufwerke ohne Bezeichnung anzeigen", "Drives without name", "opt_DRIVE_Name(0)"}},
    {"lbl_HINWEIS_Laufwerkbzeichnung",
     {" Anzeigeformat für Laufwerksliste: ", " Screens of Drives: ", "lbl_HINWEIS_Laufwerkbzeichnung"}},
    Same("opt_GERMANY", ""),  // the flag beside it names the language
    Same("opt_ENGLISCH", ""),
};

// Any language but German reads the English texts.
inline constexpr const char* kAboutEnglish =
    "if it enables you, connected or at your network of connected drives, not to let shift in the "
    "Standby-Modus. Consequently, your drives always are ready for you. Furthermore it spares your drive "
    "since there is not any continuous not starting from the Standby-Modus.";
inline constexpr const char* kNoticeEnglish =
    "Without warranty. The program only reads from the chosen drives and never writes to them.";
inline constexpr ShownText kAboutWindowTexts[] = {
    Same("frm_About", "Info Wakelatch"),
    Same("lbl_Name", "Wakelatch"),
    Same("lbl_Version", "Version 1.0.0"),
    {"lbl_Beschreibung",
     {"ermöglicht es Ihnen, angeschlossene oder an Ihr Netzwerk angebundene Laufwerke, nicht in den "
      "Standby-Modus wechseln zu lassen. Somit sind Ihre Laufwerke immer Zugriffsbereit für Sie. Ausserdem "
      "schont es Ihr Laufwerk, da es kein ständiges Anlaufen aus dem Standby-Modus gibt.",
      kAboutEnglish, kAboutEnglish}},
    {"lbl_Warnung",
     {"Ohne Gewährleistung. Das Programm liest nur von den gewählten Laufwerken und schreibt nie auf sie.",
      kNoticeEnglish, kNoticeEnglish}},
    Same("lbl_Copyright", "© 2026 The Wakelatch developers"),
    Same("cmdSysInfo", "&System-Info..."),
    Same("cmdOK", "OK"),
};

}  // namespace wakelatch::testing
