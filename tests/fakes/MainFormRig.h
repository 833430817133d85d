#pragma once

#include <deque>
#include <memory>

#include "fakes/FakeControls.h"
#include "fakes/FakeDrivePlatform.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/FakeTray.h"
#include "ui/main/Captions.h"
#include "ui/main/frm_Main.h"

namespace wakelatch::testing {

class RecordingHost final : public MainWindowHost {
  public:
    void LoadTrayMenu() override {}
    void UnloadTrayMenu() override { calls.push_back("unload tray menu"); }
    std::uintptr_t TrayMenuWindow() override { return 0x7e57; }
    void CloseOtherWindows() override { calls.push_back("close other windows"); }
    void UnloadMainWindow() override { calls.push_back("unload main window"); }
    void ShowOptionsDialog() override {
        calls.push_back("options");
        if (onOptions) {
            onOptions();
        }
    }
    void ShowAbout() override { calls.push_back("about"); }
    void SetApplicationHelpFile(const std::string& name) override { helpFile = name; }
    void PressHelpKey() override { calls.push_back("help " + helpFile); }
    std::string helpFile;
    std::vector<std::string> calls;
    std::function<void()> onOptions;  // what the user does in the options dialog
};

// The main window's logic over fakes of all its controls and services. Every captioned control of the
// window and the tray menu starts with its design text.
struct MainFormRig {
    MainFormRig() {
        state.ProgramVersion = "1.0.0";
        state.Times = 5;
        state.Language = 1;
        state.DriveName = 1;
        state.DriveStart = 1;
        state.Drives = "C:\\";
        for (const captions::Caption& caption : captions::kMainWindowAndTrayMenu) {
            AddText(std::string(caption.control), std::string(captions::DesignText(caption)));
        }
        for (const std::string_view label : captions::kMinuteLabels) {
            AddText(std::string(label), std::string(label));
        }
        AddText("mnuHelp", std::string(captions::kHelpMenuText));
        AddText("mnuInfo", std::string(captions::kInfoEntryText));
        notificationArea.sharedLog = &host.calls;
    }

    frm_Main& Form() {
        if (!form) {
            form = std::make_unique<frm_Main>(
                state,
                frm_Main::Controls{window, status, standby, pass, slider, driveList, substituteList,
                                   *Text("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert"),
                                   *Text("lbl_fraStandby_TEXT_AnzeigeMinuten"), texts},
                frm_Main::Services{store, location, autostart, host, trayIcon, drives, measurer,
                                   [this] {
                                       ++yields;
                                       if (onYield) {
                                           onYield();
                                       }
                                   },
                                   [this](int ms) {
                                       sleeps.push_back(ms);
                                       if (onSleep) {
                                           onSleep();
                                       }
                                   }});
        }
        return *form;
    }

    FakeCaptioned* Text(const std::string& name) { return static_cast<FakeCaptioned*>(texts.Find(name)); }
    std::string TextOf(const std::string& name) { return Text(name)->text; }

    ProgramState state;
    FakeFormWindow window;
    FakeStatusBar status;
    FakeWindowTimer standby;
    FakeWindowTimer pass;
    FakeSlider slider;
    FakeCheckList driveList;
    FakeCheckList substituteList;
    FakeCaptionTargets texts;
    FakeSettingsStore store;
    FakeLocation location;
    FakeAutostart autostart;
    RecordingHost host;
    FakeNotificationArea notificationArea;
    TrayIcon trayIcon{notificationArea};
    FakeDrivePlatform drives;
    FakeMeasurer measurer;
    int yields = 0;
    std::function<void()> onYield;  // runs inside the form's yields, as events would
    std::vector<int> sleeps;
    std::function<void()> onSleep;  // runs inside the pause after a pass, as events drawn meanwhile would
    std::unique_ptr<frm_Main> form;

  private:
    void AddText(const std::string& name, const std::string& design) {
        ownedTexts_.emplace_back(design);
        texts.Add(name, ownedTexts_.back());
    }
    std::deque<FakeCaptioned> ownedTexts_;
};

}  // namespace wakelatch::testing
