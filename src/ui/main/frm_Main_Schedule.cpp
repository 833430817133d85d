#include <string>

#include "drives/KeepAwakePass.h"
#include "settings/TextConversions.h"
#include "ui/main/frm_Main.h"

// The keep-awake schedule of the main window: the minute counter, the pass timer, the manual start, the
// interval slider and the bracket around every pass.
namespace wakelatch {

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
    // A pass under way (also in the moment before it raises RefreshPending) keeps the manual start out.
    if (RefreshPending || passRunning_) {
        return;
    }
    controls_.TIMER_LAUFWERKSABFRAGE.SetEnabled(false);
    controls_.TIMER_STANDBY.SetEnabled(false);
    RunPassBracket();
    // The manual start leaves the automatic running, also when it had been stopped.
    controls_.TIMER_STANDBY.SetEnabled(true);
    automaticOn_ = true;
    UpdateStopCaption();
    RefreshPending = false;
}

void frm_Main::RunPassBracket() {
    passRunning_ = true;
    if (state_.AutoTray) {
        services_.trayIcon.Delete();
        state_.TrayIconBusy = true;
        TRAY_ACTION();
    }
    SetStatus("Status: Arbeite...", "Status: working...");
    services_.yield();
    KeepAwakePass(state_, drives_, services_.drives, RefreshPending, services_.yield, true,
                  [this] { return unloaded_; });
    if (unloaded_) {
        // The window unloaded while the pass waited: the icon is gone for good and nobody waits for
        // the pause.
        passRunning_ = false;
        return;
    }
    services_.sleep(kPauseAfterPassMilliseconds);
    if (unloaded_) {  // an end request handled while the pause kept the windows drawn
        passRunning_ = false;
        return;
    }
    if (state_.AutoTray) {
        services_.trayIcon.Delete();
        state_.TrayIconBusy = false;
        TRAY_ACTION();
    }
    SetStatus("Status: Aktiv", "Status: Active");
    passRunning_ = false;
    if (refreshAfterPass_) {
        refreshAfterPass_ = false;
        RefreshAfterOptions();
    }
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
    controls_.TIMER_LAUFWERKSABFRAGE.SetEnabled(false);
    automaticOn_ = false;
    UpdateStopCaption();
}

void frm_Main::StartAutomatic() {
    controls_.TIMER_STANDBY.SetEnabled(true);
    automaticOn_ = true;
    UpdateStopCaption();
}

}  // namespace wakelatch
