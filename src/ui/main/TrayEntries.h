#pragma once

#include <functional>
#include <memory>

#include "ui/main/frm_Main.h"

namespace wakelatch {

// The tray menu's entries as a program wires them. They reach the main window through here because the
// tray menu is loaded before it (until then they do nothing); and the About window they open has no
// owner, unlike the main menu's.
class TrayEntries final : public TrayMenuActions {
  public:
    TrayEntries(const std::unique_ptr<frm_Main>& mainForm, std::function<void()> showAboutWithoutOwner)
        : mainForm_(mainForm), showAbout_(std::move(showAboutWithoutOwner)) {}

    void RestoreFromTray() override { Forward(&frm_Main::RestoreFromTray); }
    void StopAutomatic() override { Forward(&frm_Main::StopAutomatic); }
    void StartAutomatic() override { Forward(&frm_Main::StartAutomatic); }
    void ShowAbout() override { showAbout_(); }
    void cmd_Beenden_Click() override { Forward(&frm_Main::cmd_Beenden_Click); }

  private:
    void Forward(void (frm_Main::*entry)()) {
        if (mainForm_) {
            ((*mainForm_).*entry)();
        }
    }

    const std::unique_ptr<frm_Main>& mainForm_;
    std::function<void()> showAbout_;
};

}  // namespace wakelatch
