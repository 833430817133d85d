#pragma once

#include <cstdint>
#include <string>

namespace wakelatch {

// The one shared record of the running program. It is owned by the application object and passed by
// reference to every window and routine; the field names are the program's documented names.
struct ProgramState {
    // Settings, read once at start-up.
    std::string Drives;           // selection string: three-character roots joined, e.g. "C:\E:\"
    std::int32_t Times = 0;       // keep-awake interval in minutes
    std::int32_t Language = 0;    // 1 German, 2 English, anything else sets no text
    bool AutoTray = false;        // start in the tray; at run time also "the main window lives in the tray"
    bool AutoStart = false;       // start with the desktop session
    std::int32_t DriveName = 0;   // 1: the drive list shows volume names
    std::int32_t DriveStart = 0;  // 1: mapped network drives are checked and reconnected

    // Run-time fields.
    std::string WindowsDirectory;
    std::string TempDirectory;
    std::string ProgramVersion;
    std::string HelpFileName;
    bool TrayIconBusy = false;
    std::int32_t LastResult = 0;
};

}  // namespace wakelatch
