#include "ui/tray/frm_TrayMenu.h"

#include <string>

#include "settings/SettingsSchema.h"
#include "ui/main/Captions.h"
#include "ui/tray/TrayIcon.h"

namespace wakelatch {

frm_TrayMenu::frm_TrayMenu(ProgramState& state, SettingsStore& settings, Controls controls,
                           TrayMenuActions& main)
    : state_(state), settings_(settings), controls_(controls), main_(main) {}

void frm_TrayMenu::Form_Load() {
    SetCheckMarks(state_.AutoStart, state_.AutoTray);
}

void frm_TrayMenu::SetCheckMarks(bool autoStart, bool autoTray) {
    controls_.mnuAuto.SetChecked(autoStart);
    controls_.mnuTrayStart.SetChecked(autoTray);
}

void frm_TrayMenu::Form_MouseMove(int eventKind) {
    if (eventKind == tray::kLeftDoubleClick) {
        main_.RestoreFromTray();
    } else if (eventKind == tray::kRightButtonUp) {
        controls_.menuTray.PopupAtCursor();
    }
}

void frm_TrayMenu::mnuStop_Click() {
    const std::string caption = controls_.mnuStop.Text();
    if (caption == captions::kStopGerman || caption == captions::kStopEnglish) {
        main_.StopAutomatic();
    } else if (caption == captions::kStartGerman || caption == captions::kStartEnglish) {
        main_.StartAutomatic();
    }
}

void frm_TrayMenu::mnuMax_Click() {
    main_.RestoreFromTray();
}

void frm_TrayMenu::mnuAuto_Click() {
    Toggle(controls_.mnuAuto, state_.AutoStart, settings::key::AutoStart);
}

void frm_TrayMenu::mnuTrayStart_Click() {
    Toggle(controls_.mnuTrayStart, state_.AutoTray, settings::key::AutoTray);
}

void frm_TrayMenu::mnuInfo_Click() {
    main_.ShowAbout();
}

void frm_TrayMenu::mnuExit_Click() {
    main_.cmd_Beenden_Click();
}

void frm_TrayMenu::Toggle(controls::MenuEntry& entry, bool& field, const char* key) {
    entry.SetChecked(!entry.Checked());
    field = entry.Checked();
    settings::SaveBoolean(settings_, key, field);
}

}  // namespace wakelatch
