#include "ui/main/frm_Main.h"

#include <algorithm>

#include "drives/KeepAwakePass.h"
#include "drives/Selection.h"
#include "settings/SettingsSchema.h"
#include "settings/TextConversions.h"
#include "support/AutostartEntry.h"
#include "support/Text.h"

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

void frm_Main::SetStatus(const char* german, const char* english) {
    if (state_.Language == 1) {
        controls_.sbStatusBar.SetPanelText(1, german);
    } else if (state_.Language == 2) {
        controls_.sbStatusBar.SetPanelText(1, english);
    }
}

void frm_Main::TIMER_STANDBY_Timer() {
    const int count = conversions::ToInt32(controls_.TIMER_STANDBY.Tag()).value_or(0) + 1;
    controls_.TIMER_STANDBY.SetTag(std::to_string(count));
    if (count >= state_.Times) {
        controls_.TIMER_STANDBY.SetTag("0");
        controls_.TIMER_STANDBY.SetEnabled(false);
        controls_.TIMER_LAUFWERKSABFRAGE.SetEnabled(true);
    }
}

void frm_Main::TIMER_LAUFWERKSABFRAGE_Timer() {
    controls_.TIMER_LAUFWERKSABFRAGE.SetEnabled(false);
    controls_.TIMER_STANDBY.SetEnabled(true);
    // A pass that is still running (it yields to the event loop) is not entered a second time: its list
    // rebuild would run inside the other one's. The count goes on; the next pass comes as scheduled.
    if (passRunning_) {
        return;
    }
    RunPassBracket();
}

void frm_Main::cmd_Start_Click() {
    if (RefreshPending) {
        return;
    }
    controls_.TIMER_LAUFWERKSABFRAGE.SetEnabled(false);
    controls_.TIMER_STANDBY.SetEnabled(false);
    RunPassBracket();
    controls_.TIMER_STANDBY.SetEnabled(true);
    RefreshPending = false;
}

void frm_Main::RunPassBracket() {
    passRunning_ = true;
    if (state_.AutoTray) {
        services_.host.DeleteTrayIcon();
        state_.TrayIconBusy = true;
        TRAY_ACTION();
    }
    SetStatus("Status: Arbeite...", "Status: working...");
    services_.yield();
    KeepAwakePass(state_, drives_, services_.drives, RefreshPending, services_.yield, true);
    services_.sleep(kPauseAfterPassMilliseconds);
    if (state_.AutoTray) {
        services_.host.DeleteTrayIcon();
        state_.TrayIconBusy = false;
        TRAY_ACTION();
    }
    SetStatus("Status: Aktiv", "Status: Active");
    passRunning_ = false;
}

void frm_Main::sli_Standby_Scroll() {
    const std::string minutes = std::to_string(61 - controls_.sli_Standby.Value());
    controls_.sli_Standby.ShowPopupText(minutes);
    controls_.lbl_fraStandby_TEXT_AnzeigeMinuten.SetText(minutes + " Min.");
}

void frm_Main::sli_Standby_Change() {
    state_.Times = 61 - controls_.sli_Standby.Value();
    controls_.lbl_fraStandby_TEXT_AnzeigeMinuten.SetText(std::to_string(state_.Times) + " Min.");
    cmd_Speichern_Click();
}

void frm_Main::StopAutomatic() {
    controls_.TIMER_STANDBY.SetEnabled(false);
}

void frm_Main::StartAutomatic() {
    controls_.TIMER_STANDBY.SetEnabled(true);
}

void frm_Main::Form_Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    services_.host.UnloadTrayMenu();
    services_.host.DeleteTrayIcon();
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
    controls_.window.SetCaption("Wakelatch Version " + state_.ProgramVersion);
    // The texts of the window's controls and of the tray menu follow here, German for Language 1 and
    // English for 2; the window does not carry those controls yet.
}

void frm_Main::TRAY_ACTION() {
    // The notification icon is added here. The program has no tray icon yet, so it never hides into
    // the tray: start-up shows the window instead (see TrayAvailable in the start-up windows).
}

void frm_Main::RestoreFromTray() {
    services_.host.DeleteTrayIcon();
    state_.AutoTray = false;
    controls_.window.Show();
}

}  // namespace wakelatch
