#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "controls/Controls.h"
#include "drives/DriveEngine.h"
#include "platform/AutostartEntries.h"
#include "platform/DrivePlatform.h"
#include "platform/ProgramLocation.h"
#include "settings/ProgramState.h"
#include "settings/SettingsStore.h"
#include "ui/tray/TrayIcon.h"
#include "ui/tray/frm_TrayMenu.h"

namespace wakelatch {

// What the main window asks of the program around it: the other windows and its own unloading.
class MainWindowHost {
  public:
    virtual ~MainWindowHost() = default;
    // The hidden tray-menu window: loaded (once) and unloaded, and its handle for the tray icon.
    virtual void LoadTrayMenu() = 0;
    virtual void UnloadTrayMenu() = 0;
    virtual std::uintptr_t TrayMenuWindow() = 0;
    // Closes every other open window of the program (options, About, ...), last opened first.
    virtual void CloseOtherWindows() = 0;
    // Unloads the main window (its unload handler runs, then the program ends).
    virtual void UnloadMainWindow() = 0;
    // The options dialog, modal and without owner; returns when it is closed.
    virtual void ShowOptionsDialog() = 0;
    // The About window, modal.
    virtual void ShowAbout() = 0;
    // Makes the help file of that name (in the program's help folder) the one the help key opens.
    virtual void SetApplicationHelpFile(const std::string& fileName) = 0;
    // What the help key does: the application's help file in the help viewer.
    virtual void PressHelpKey() = 0;
};

// The main window's logic: its load and unload handlers and public operations, over its controls.
class frm_Main final : public TrayMenuActions {
  public:
    struct Controls {
        controls::FormWindow& window;
        controls::StatusBar& sbStatusBar;
        controls::WindowTimer& TIMER_STANDBY;
        controls::WindowTimer& TIMER_LAUFWERKSABFRAGE;
        controls::Slider& sli_Standby;
        controls::CheckList& list_Laufwerke;
        controls::CheckList& list_Laufwerke_TEMP;
        controls::Captioned& lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert;
        controls::Captioned& lbl_fraStandby_TEXT_AnzeigeMinuten;
        // Every captioned control of this window and of the tray menu, by name.
        controls::CaptionTargets& texts;
    };

    struct Services {
        SettingsStore& settings;
        platform::ProgramLocation& location;
        platform::AutostartEntries& autostart;
        MainWindowHost& host;
        TrayIcon& trayIcon;
        platform::DrivePlatform& drives;
        const controls::TextMeasurer& measurer;  // widths in the drive list's font
        std::function<void()> yield;             // lets the event loop run
        std::function<void(int)> sleep;          // blocks for the given milliseconds
    };

    static constexpr float kWidth = 10000.0F;  // twips; the window always opens at this size
    static constexpr float kHeight = 7100.0F;
    static constexpr int kMinuteMilliseconds = 60000;
    static constexpr int kMinTimes = 1;
    static constexpr int kMaxTimes = 60;
    static constexpr int kPauseAfterPassMilliseconds = 200;

    frm_Main(ProgramState& state, Controls controls, Services services);

    void Form_Load();
    // Runs once; later calls do nothing (the close box and a signal may both ask).
    void Form_Unload();
    // What the unload keeps of this run (placement, autostart entry), saved without unloading: the
    // desktop session is about to end, but its end may still be cancelled.
    void SaveSessionState();
    bool Unloaded() const { return unloaded_; }

    // Window caption and every text of the window and the tray menu, for the current language.
    void Einstellen_Sprache();

    // Puts the program's icon into the tray.
    void TRAY_ACTION();

    // What a double-click on the tray icon does: icon gone, the window lives outside the tray again.
    void RestoreFromTray() override;

    // Commands of the window and its menu.
    void cmd_Minimieren_Click();
    void cmd_Beenden_Click() override;
    void mnuFileExit_Click();
    void mnuFileProperties_Click();
    // The options dialog asks for the window to be refreshed when it returns. A pass may run inside the
    // dialog's event loop and lowers RefreshPending at its end: the refresh then follows the pass.
    void RequestRefresh();
    void mnuAnleitung_Click();
    void mnuHelpAbout_Click();
    void ShowAbout() override;

    // The save command: selection, interval and behaviour keys.
    void cmd_Speichern_Click();
    void list_Laufwerke_LostFocus();

    // The keep-awake schedule: a minute counter that hands over to the pass timer every Times minutes,
    // the manual start, and the interval slider (minutes = 61 - position).
    void TIMER_STANDBY_Timer();
    void TIMER_LAUFWERKSABFRAGE_Timer();
    void cmd_Start_Click();
    void sli_Standby_Scroll();  // the thumb is being dragged
    void sli_Standby_Change();  // the position has settled

    // Stop and restart of the automatic mode. A stop switches both timers off (a pass that was due does
    // not come); a restart switches the minute counter on, its count kept.
    void StopAutomatic() override;
    void StartAutomatic() override;
    bool AutomaticRunning() const { return automaticOn_; }
    bool PassRunning() const { return passRunning_; }

    DriveEngine& Drives() { return drives_; }

    // True while a keep-awake pass runs and after the options dialog saves or closes.
    bool RefreshPending = false;

  private:
    void RunPassBracket();
    void RefreshAfterOptions();
    void SetStatus(const char* german, const char* english);
    void SetText(std::string_view control, std::string_view text);
    // The tray menu's stop entry says what choosing it will do.
    void UpdateStopCaption();
    void LoadDriveList();
    void SaveWindowPlacement();

    ProgramState& state_;
    Controls controls_;
    Services services_;
    DriveEngine drives_;
    bool passRunning_ = false;
    bool refreshAfterPass_ = false;  // the options dialog closed during a pass
    bool automaticOn_ = true;
    bool savePending_ = false;  // asked for while the list was being rebuilt
    bool unloaded_ = false;
};

}  // namespace wakelatch
