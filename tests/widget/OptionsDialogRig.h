#pragma once

#include <memory>

#include "fakes/FakeSettingsStore.h"
#include "ui/options/OptionsDialogView.h"
#include "ui/qt/QtMessageBox.h"

namespace wakelatch::testing {

// The real dialog, loaded and shown, over a fake settings store.
struct OptionsDialogRig : OptionsHost {
    explicit OptionsDialogRig(int language = 1) {
        state.ProgramVersion = "1.0.0";
        state.Language = language;
        state.DriveName = 1;
        state.DriveStart = 1;
        form = std::make_unique<frm_Options>(state, store, messages, *this, view.Controls());
        view.Connect(*form);
        form->Form_Load();
        view.show();
    }
    template <typename Widget>
    Widget* Find(const char* name) {
        return view.findChild<Widget*>(name);
    }

    void CloseDialog() override { view.close(); }
    void SetTrayCheckMarks(bool, bool) override {}
    void ExtractHelpFile() override {}
    void SetMainRefreshPending() override { refresh = true; }

    ProgramState state;
    FakeSettingsStore store;
    qtui::QtMessageBox messages;
    OptionsDialogView view;
    std::unique_ptr<frm_Options> form;
    bool refresh = false;
};

}  // namespace wakelatch::testing
