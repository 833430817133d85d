#pragma once

#include <QCoreApplication>

#include <memory>

#include "fakes/MainFormRig.h"
#include "ui/main/MainWindowView.h"
#include "ui/tray/TrayMenuView.h"

namespace wakelatch::testing {

// The real main window and tray menu over the fake services of MainFormRig, wired as the program wires
// them. Set rig.state before Load().
struct MainWindowWidgetRig {
    MainWindowWidgetRig() { rig.state.Drives.clear(); }

    void Load(int language = 1) {
        rig.state.Language = language;
        form = std::make_unique<frm_Main>(
            rig.state, view.Controls(),
            frm_Main::Services{rig.store, rig.location, rig.autostart, rig.host, rig.trayIcon, rig.drives,
                               view.DriveListMeasurer(), [] { QCoreApplication::processEvents(); },
                               [](int) {}});
        view.Connect(*form);
        view.SetUnloadHandler([this] { form->Form_Unload(); });
        tray.AddCaptionTargets(view.CaptionTargets());
        trayMenu = std::make_unique<frm_TrayMenu>(rig.state, rig.store, tray.Controls(), *form);
        tray.Connect(*trayMenu);
        form->Form_Load();
    }
    template <typename Widget>
    Widget* Find(const char* name) {
        return view.findChild<Widget*>(name);
    }
    QAction* TrayEntry(const char* name) { return tray.findChild<QAction*>(name); }

    MainFormRig rig;
    MainWindowView view;
    TrayMenuView tray;
    std::unique_ptr<frm_Main> form;
    std::unique_ptr<frm_TrayMenu> trayMenu;
};

}  // namespace wakelatch::testing
