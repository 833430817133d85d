#pragma once

#include "controls/Controls.h"
#include "platform/windows/Win32.h"

namespace wakelatch::win32ui {

// Rendered widths in the font of a window (the drive list), in whole twips; TABs count as one blank,
// as the list draws them. Columns are padded one blank at a time, each step measuring the whole row
// again: a text that only adds blanks to the one measured before adds their advances instead.
class Win32TextMeasurer final : public controls::TextMeasurer {
  public:
    explicit Win32TextMeasurer(HWND window) : window_(window) {}
    int WidthTwips(const std::string& text) const override;

  private:
    HWND window_;
    mutable HFONT font_ = nullptr;
    mutable UINT dpi_ = 0;
    mutable std::string lastText_;
    mutable int lastPixels_ = -1;
    mutable int blankPixels_ = 0;
};

}  // namespace wakelatch::win32ui
