#pragma once

// The common controls (trackbar, status bar, tooltips, list box subclassing), after <windows.h>.
#include "platform/windows/Win32.h"

#include <commctrl.h>
