#pragma once

#include "platform/windows/Win32.h"

namespace wakelatch::win32ui {

// The DPI a window is drawn at: its monitor's where the system scales per monitor, else the screen's.
UINT DpiOf(HWND window);
double TwipsPerPixelOf(HWND window);
// Pixels at that DPI for a length given at 96 DPI.
int Scaled(int pixelsAt96, UINT dpi);
// The small-icon size (title bars, the tray) at that DPI.
int SmallIconSize(UINT dpi);

// A GDI object that is deleted when it goes.
class UniqueFont {
  public:
    UniqueFont() = default;
    explicit UniqueFont(HFONT font) : font_(font) {}
    ~UniqueFont() { Reset(); }
    UniqueFont(const UniqueFont&) = delete;
    UniqueFont& operator=(const UniqueFont&) = delete;
    HFONT Get() const { return font_; }
    void Reset(HFONT font = nullptr);

  private:
    HFONT font_ = nullptr;
};

// The dialog font (the system's message font) for a DPI; a point size other than 0 replaces its size.
HFONT CreateMessageFont(UINT dpi, int pointSize = 0);

}  // namespace wakelatch::win32ui
