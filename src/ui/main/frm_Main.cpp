#include "ui/main/frm_Main.h"

#include <algorithm>

#include "drives/Selection.h"
#include "settings/SettingsSchema.h"
#include "settings/TextConversions.h"
#include "support/AutostartEntry.h"
#include "support/FileOps.h"
#include "support/Text.h"
#include "ui/main/Captions.h"

namespace wakelatch {
namespace {}  // namespace

frm_Main::frm_Main(ProgramState& state, Controls controls, Services services)
    : state_(state),
      controls_(controls),
      services_(services),
      drives_(state, services.drives, {controls.list_Laufwerke, controls.list_Laufwerke_TEMP},
              services.measurer, services.yield) {
    controls_.TIMER_STANDBY.SetTickHandler([this] { TIMER_STANDBY_Timer(); });
    controls_.TIMER_LAUFWERKSABFRAGE.SetTickHandler([this] { TIMER_LAUFWERKSABFRAGE_Timer(); });
    drives_.SetSelectionRestoredHandler([this] {
        if (savePending_) {
            savePending_ = false;
            cmd_Speichern_Click();
        }
    });
}

void frm_Main::Form_Load() {
    // A stored interval outside 1..60 is brought into range before anything uses it: the pass timer's
    // interval derives from it (0 would make that timer fire without pause), and the slider has no
    // position beyond 60. This also covers raising an interval below 1 to 1.
    state_.Times = std::clamp(state_.Times, kMinTimes, kMaxTimes);

    const float left = settings::ReadMainPosition(services_.settings, settings::key::MainLeft);
    const float top = settings::ReadMainPosition(services_.settings, settings::key::MainTop);
    controls_.window.SetPlacement(left, top, kWidth, kHeight);

    Einstellen_Sprache();

    SetStatus("Status: Aktiv", "Status: Active");

    controls_.TIMER_STANDBY.SetTag("0");
    controls_.TIMER_STANDBY.SetInterval(kMinuteMilliseconds);
    controls_.TIMER_LAUFWERKSABFRAGE.SetInterval(state_.Times * 1000);
    controls_.TIMER_LAUFWERKSABFRAGE.SetEnabled(false);

    LoadDriveList();

    controls_.sli_Standby.SetValue(61 - state_.Times);
    controls_.TIMER_STANDBY.SetEnabled(true);
}

void frm_Main::LoadDriveList() {
    drives_.FillDriveList();
    drives_.ApplyDriveSelection();
    if (state_.DriveStart == 1) {
        drives_.ReconnectNetworkDrives();
    }
}

void frm_Main::cmd_Speichern_Click() {
    // In the middle of a rebuild the list's ticks are not the selection; saving them would lose it. The
    // save runs as soon as the selection is ticked again.
    if (drives_.SelectionInFlux()) {
        savePending_ = true;
        return;
    }
    selection::SaveDriveSelection(state_, controls_.list_Laufwerke, services_.settings,
                                  controls_.lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert);
}

void frm_Main::list_Laufwerke_LostFocus() {
    cmd_Speichern_Click();
}

void frm_Main::Form_Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    services_.host.UnloadTrayMenu();
    services_.trayIcon.Delete();
    services_.host.CloseOtherWindows();
    SaveSessionState();
}

void frm_Main::SaveSessionState() {
    if (!controls_.window.IsMinimised()) {
        SaveWindowPlacement();
    }
    const std::string path = text::TrimBlanks(services_.location.ProgramFilePath());
    if (state_.AutoStart) {
        state_.LastResult = sml_ALL_REG_ZUGRIFF::SetAutostartEntry(
            services_.autostart, settings::kAppName, path, sml_ALL_REG_ZUGRIFF::kAutostartWrite);
    } else {
        state_.LastResult = sml_ALL_REG_ZUGRIFF::SetAutostartEntry(services_.autostart, settings::kAppName,
                                                                   "", sml_ALL_REG_ZUGRIFF::kAutostartDelete);
    }
}

void frm_Main::SaveWindowPlacement() {
    settings::SaveSingle(services_.settings, settings::key::MainLeft, controls_.window.Left());
    settings::SaveSingle(services_.settings, settings::key::MainTop, controls_.window.Top());
    settings::SaveSingle(services_.settings, settings::key::MainWidth, controls_.window.Width());
    settings::SaveSingle(services_.settings, settings::key::MainHeight, controls_.window.Height());
}

void frm_Main::Einstellen_Sprache() {
    services_.host.LoadTrayMenu();
    controls_.window.SetCaption("Wakelatch Version " + state_.ProgramVersion);
    if (state_.Language != 1 && state_.Language != 2) {
        return;
    }
    for (const captions::Caption& caption : captions::kMainWindowAndTrayMenu) {
        SetText(caption.control, captions::ForLanguage(caption, state_.Language));
    }
    const std::string minutes = std::to_string(state_.Times) + " Min.";
    for (const std::string_view label : captions::kMinuteLabels) {
        SetText(label, minutes);
    }
    UpdateStopCaption();
}

void frm_Main::SetText(std::string_view control, std::string_view text) {
    if (controls::Captioned* target = controls_.texts.Find(control)) {
        target->SetText(std::string(text));
    }
}

void frm_Main::UpdateStopCaption() {
    if (state_.Language == 1) {
        SetText("mnuStop", automaticOn_ ? captions::kStopGerman : captions::kStartGerman);
    } else if (state_.Language == 2) {
        SetText("mnuStop", automaticOn_ ? captions::kStopEnglish : captions::kStartEnglish);
    }
}

void frm_Main::TRAY_ACTION() {
    services_.host.LoadTrayMenu();
    services_.trayIcon.Add(state_.TrayIconBusy, services_.host.TrayMenuWindow());
}

void frm_Main::RestoreFromTray() {
    services_.trayIcon.Delete();
    state_.AutoTray = false;
    controls_.window.Show();
}

void frm_Main::cmd_Minimieren_Click() {
    if (!services_.trayIcon.Available()) {
        // Without a notification area a hidden window could never be found again.
        controls_.window.Minimise();
        return;
    }
    controls_.window.Hide();
    state_.AutoTray = true;
    TRAY_ACTION();
}

void frm_Main::cmd_Beenden_Click() {
    services_.host.UnloadMainWindow();
}

void frm_Main::mnuFileExit_Click() {
    services_.host.UnloadMainWindow();
}

void frm_Main::mnuFileProperties_Click() {
    services_.host.ShowOptionsDialog();
    if (passRunning_) {
        // Opened while a pass waits for a drive: a rebuild now would run inside the pass's own. The
        // pass ends with the refresh instead, and its flag stays raised until then.
        refreshAfterPass_ = true;
        RefreshPending = true;
        return;
    }
    if (RefreshPending) {
        RefreshAfterOptions();
    }
    RefreshPending = false;
}

void frm_Main::RequestRefresh() {
    refreshAfterPass_ = refreshAfterPass_ || passRunning_;
    RefreshPending = true;
}

void frm_Main::RefreshAfterOptions() {
    Einstellen_Sprache();
    drives_.FillDriveList();
    drives_.ApplyDriveSelection();
}

void frm_Main::mnuAnleitung_Click() {
    // Another language chooses no file: the help key then opens whatever file was set before.
    if (const std::string name = pim_MAIN::HelpFileNameFor(state_.Language); !name.empty()) {
        services_.host.SetApplicationHelpFile(name);
    }
    services_.host.PressHelpKey();
}

void frm_Main::mnuHelpAbout_Click() {
    ShowAbout();
}

void frm_Main::ShowAbout() {
    services_.host.ShowAbout();
}

}  // namespace wakelatch
