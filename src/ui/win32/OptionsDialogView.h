#pragma once

#include <memory>

#include "platform/windows/Win32.h"
#include "ui/options/frm_Options.h"

namespace wakelatch::win32ui {

// The options dialog's controls, named and placed as the program documents them, and their adapters.
// Behaviour lives in frm_Options; this class builds the window and forwards its messages to it.
class OptionsDialogView final {
  public:
    // The dialog is modal to `owner` (null: modal to the whole program, without owner).
    explicit OptionsDialogView(HWND owner = nullptr);
    ~OptionsDialogView();
    OptionsDialogView(const OptionsDialogView&) = delete;
    OptionsDialogView& operator=(const OptionsDialogView&) = delete;

    frm_Options::Controls Controls();
    void Connect(frm_Options& form);
    void CentreOnScreen();
    // Shows the dialog modally and returns when it has closed. Timers and other windows' messages go on.
    void Exec();
    // Asks the dialog to close as its close box does (the close check may ask a question).
    void Close();
    // Closes without the close check: the program is ending, and nothing may be asked any more.
    void CloseWithoutAsking();
    HWND Hwnd() const;
    // The window of a documented control name; null when there is none (for tests).
    HWND ControlNamed(const char* name) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace wakelatch::win32ui
