/* Resource ids of the Windows program's icons: plain #defines, read by program.rc (windres) and, through
   src/ui/win32/ResourceIds.h, by C++. The files the program carries (splash and About bitmaps, help files,
   type library) are resources of type "CUSTOM" under the ids of src/support/Resources.h. */
#ifndef WAKELATCH_RESOURCE_IDS_H
#define WAKELATCH_RESOURCE_IDS_H

/* The application icon: the lowest id, so Explorer, the taskbar and "Apps" show it for Wakelatch.exe. */
#define WAKELATCH_IDI_APPLICATION 1
/* The tray icons: the hourglass while waiting, and with its lower half red while a pass works. */
#define WAKELATCH_IDI_TRAY_IDLE 2
#define WAKELATCH_IDI_TRAY_WORKING 3

#endif
