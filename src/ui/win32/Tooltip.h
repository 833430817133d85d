#pragma once

#include "platform/windows/Win32.h"

namespace wakelatch::win32ui {

// A tooltip window for a control, owned by the control's top-level window (a tooltip is a pop-up); the
// caller destroys it. TTS_ALWAYSTIP: it shows while the window is inactive too.
HWND CreateTooltip(HWND control);

}  // namespace wakelatch::win32ui
