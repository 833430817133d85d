#pragma once

#include <array>
#include <string_view>

// The options dialog's texts in both languages, by control, in the order they are set.
namespace wakelatch::options_captions {

struct Caption {
    std::string_view control;
    std::string_view german;
    std::string_view english;
};

inline constexpr std::array<Caption, 11> kOptionsDialog = {{
    {"lbl_TEXT_Hinweis",
     "Stellen Sie sich das Programm ganz auf Ihre Bedürfnisse ein. Beachten Sie jedoch, das Sie die "
     "Einstellungen mit dem Drücken des OK-Buttons sofort übernehmen.",
     "Adjust the program completely to your needs for itself. Heed, however, that immediately takes on you "
     "with the pressing the OK-button the attitudes."},
    {"fra_Optionen", " Einstellungen Programmverhalten: ", "Attitudes program-behavior: "},
    {"fra_Language", " Sprachauswahl: ", "Laguage select: "},
    {"cmd_Beenden", "Abbrechen", "Cancel"},
    {"cmd_Speichern", "OK", "OK"},
    {"chk_Autostart", "Programmstart mit Windows", "Start with Windows"},
    {"chk_Traystart", "Starten in der Taskleiste", "Start as Icon"},
    {"chk_StartNetDrive", "Netzlaufwerke regelmässig kontrollieren und verbinden",
     "Controll and connected all Remote-Drives"},
    {"opt_DRIVE_Name(1)", "Laufwerke mit Bezeichung anzeigen", "Drives with name"},
    {"opt_DRIVE_Name(0)", "Laufwerke ohne Bezeichnung anzeigen", "Drives without name"},
    {"lbl_HINWEIS_Laufwerkbzeichnung", " Anzeigeformat für Laufwerksliste: ", " Screens of Drives: "},
}};

// The title bar: "Wakelatch Version " + version + one of these.
inline constexpr std::string_view kTitleGerman = " - Programmsetup";
inline constexpr std::string_view kTitleEnglish = " - Options";

struct Question {
    std::string_view germanTitle;
    std::string_view germanText;
    std::string_view englishTitle;
    std::string_view englishText;
};

inline constexpr Question kDiscard = {
    "Änderungsfeststellung", "Sie haben Änderungen vorgenommen. Möchten Sie diese verwerfen?",
    "Changequestion", "You have change some options, you are sure destroy?"};
inline constexpr Question kSave = {"Verfahrensweise",
                                   "Sollen die Einstellungen gespeichert und der Dialoag geschlossen werden?",
                                   "What go now?", "Save the changed options and close the window?"};

}  // namespace wakelatch::options_captions
