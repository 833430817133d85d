#pragma once

// The one way into <windows.h> for the whole program. It names a few functions by macros (the A or W form
// by UNICODE) that clash with methods of our interfaces: those macros are taken away again here, and
// the Win32 calls are made by their explicit "A" or "W" names.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef GetDriveType
#undef GetVolumeInformation
#undef GetDiskFreeSpace
#undef ReplaceFile
#undef Shell_NotifyIcon
#undef CreateProcess
#undef FindWindow
#undef MessageBox
#undef CreateMutex
