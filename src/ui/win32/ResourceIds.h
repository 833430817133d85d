#pragma once

// The ids of the Windows program's icons (resources/windows/resource_ids.h, shared with program.rc).
// Load them with LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, cx, cy, 0) at the
// size the window or the tray wants (GetSystemMetricsForDpi(SM_CXSMICON, dpi) for the tray).
#include "resource_ids.h"

namespace wakelatch::win32ui {

inline constexpr int kApplicationIcon = WAKELATCH_IDI_APPLICATION;
inline constexpr int kTrayIdleIcon = WAKELATCH_IDI_TRAY_IDLE;
inline constexpr int kTrayWorkingIcon = WAKELATCH_IDI_TRAY_WORKING;

}  // namespace wakelatch::win32ui
