#pragma once

#include <memory>

#include "fakes/FakeControls.h"
#include "fakes/FakeDrivePlatform.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSettingsStore.h"
#include "ui/main/frm_Main.h"

namespace wakelatch::testing {

class RecordingHost final : public MainWindowHost {
  public:
    void UnloadTrayMenu() override { calls.push_back("unload tray menu"); }
    void DeleteTrayIcon() override { calls.push_back("delete tray icon"); }
    void CloseOtherWindows() override { calls.push_back("close other windows"); }
    std::vector<std::string> calls;
};

// The main window's logic over fakes of all its controls and services.
struct MainFormRig {
    MainFormRig() {
        state.ProgramVersion = "1.0.0";
        state.Times = 5;
        state.Language = 1;
        state.DriveName = 1;
        state.DriveStart = 1;
        state.Drives = "C:\\";
    }

    frm_Main& Form() {
        if (!form) {
            form = std::make_unique<frm_Main>(
                state,
                frm_Main::Controls{window, status, standby, pass, slider, driveList, substituteList,
                                   savedMinutes, currentMinutes},
                frm_Main::Services{store, location, autostart, host, drives, measurer,
                                   [this] {
                                       ++yields;
                                       if (onYield) {
                                           onYield();
                                       }
                                   },
                                   [this](int ms) { sleeps.push_back(ms); }});
        }
        return *form;
    }

    ProgramState state;
    FakeFormWindow window;
    FakeStatusBar status;
    FakeWindowTimer standby;
    FakeWindowTimer pass;
    FakeSlider slider;
    FakeCheckList driveList;
    FakeCheckList substituteList;
    FakeCaptioned savedMinutes{"lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert"};
    FakeCaptioned currentMinutes{"lbl_fraStandby_TEXT_AnzeigeMinuten"};
    FakeSettingsStore store;
    FakeLocation location;
    FakeAutostart autostart;
    RecordingHost host;
    FakeDrivePlatform drives;
    FakeMeasurer measurer;
    int yields = 0;
    std::function<void()> onYield;  // runs inside the form's yields, as events would
    std::vector<int> sleeps;
    std::unique_ptr<frm_Main> form;
};

}  // namespace wakelatch::testing
