#pragma once

#include "controls/Controls.h"
#include "platform/windows/Win32.h"

namespace wakelatch::win32ui {

// The panels of a msctls_statusbar32, numbered from 1; a panel it does not have reads empty.
class Win32StatusBar final : public controls::StatusBar {
  public:
    explicit Win32StatusBar(HWND statusBar) : statusBar_(statusBar) {}
    void SetPanelText(int panel, const std::string& text) override;
    std::string PanelText(int panel) const override;

  private:
    bool HasPanel(int panel) const;
    HWND statusBar_;
};

}  // namespace wakelatch::win32ui
