#pragma once

#include <utility>

#include "controls/Controls.h"
#include "settings/ProgramState.h"
#include "settings/SettingsStore.h"

namespace wakelatch {

// What the tray menu's entries ask of the main window.
class TrayMenuActions {
  public:
    virtual ~TrayMenuActions() = default;
    virtual void RestoreFromTray() = 0;    // icon gone, main window shown
    virtual void StopAutomatic() = 0;      // the minute counter off, the entry's caption to "start"
    virtual void StartAutomatic() = 0;     // the minute counter on, the entry's caption to "stop"
    virtual void ShowAbout() = 0;          // the About window, modal
    virtual void cmd_Beenden_Click() = 0;  // end the program
};

// The window that is never seen: it owns the tray pop-up menu and receives the tray icon's mouse events.
class frm_TrayMenu {
  public:
    struct Controls {
        controls::MenuEntry& mnuStop;
        controls::MenuEntry& mnuMax;
        controls::MenuEntry& mnuAuto;
        controls::MenuEntry& mnuTrayStart;
        controls::MenuEntry& mnuInfo;
        controls::MenuEntry& mnuExit;
        controls::PopupMenu& menuTray;
    };

    frm_TrayMenu(ProgramState& state, SettingsStore& settings, Controls controls, TrayMenuActions& main);

    // Check marks from the settings: mnuAuto for AutoStart, mnuTrayStart for AutoTray.
    void Form_Load();
    void SetCheckMarks(bool autoStart, bool autoTray);
    // A mouse event on the tray icon, as the platform numbers it.
    void Form_MouseMove(int eventKind);

    // Stops or restarts the automatic as the entry's caption says; any other caption (the design text
    // that stays for a language other than German and English) does nothing.
    void mnuStop_Click();
    void mnuMax_Click();
    void mnuAuto_Click();
    void mnuTrayStart_Click();
    void mnuInfo_Click();
    void mnuExit_Click();

    // The menu's entries by name with their click handlers, for the views to wire up.
    using Handler = void (frm_TrayMenu::*)();
    static constexpr std::pair<const char*, Handler> kEntryHandlers[] = {
        {"mnuStop", &frm_TrayMenu::mnuStop_Click}, {"mnuMax", &frm_TrayMenu::mnuMax_Click},
        {"mnuAuto", &frm_TrayMenu::mnuAuto_Click}, {"mnuTrayStart", &frm_TrayMenu::mnuTrayStart_Click},
        {"mnuInfo", &frm_TrayMenu::mnuInfo_Click}, {"mnuExit", &frm_TrayMenu::mnuExit_Click}};

  private:
    // Inverts the entry's check mark, sets the field to it and writes the key at once.
    void Toggle(controls::MenuEntry& entry, bool& field, const char* key);

    ProgramState& state_;
    SettingsStore& settings_;
    Controls controls_;
    TrayMenuActions& main_;
};

}  // namespace wakelatch
