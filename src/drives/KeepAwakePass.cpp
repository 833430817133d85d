#include "drives/KeepAwakePass.h"

#include <cctype>

#include "drives/Selection.h"
#include "drives/TouchDrive.h"

namespace wakelatch {

void KeepAwakePass(ProgramState& state, DriveEngine& engine, platform::DrivePlatform& drives,
                   bool& refreshPending, const std::function<void()>& yield, bool touch,
                   const std::function<bool()>& abandoned) {
    const auto goOn = [&] { return !abandoned || !abandoned(); };
    refreshPending = true;
    yield();
    engine.FillDriveList();
    yield();
    yield();
    engine.ApplyDriveSelection();
    yield();
    if (state.DriveStart == 1 && goOn()) {
        engine.ReconnectNetworkDrives();
    }
    yield();
    if (!selection::IsNoSelection(state.Drives) && touch && goOn()) {
        // The selection may be saved anew while the pass yields; each entry is read as it is reached.
        const int entries = selection::EntryCount(state.Drives);
        for (int k = 0; k < entries && goOn(); ++k) {
            std::string drive(selection::EntryTail(state.Drives, k).substr(0, 2));
            for (char& c : drive) {
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
            yield();
            if (goOn() && engine.IsDriveSelected(drive)) {
                platform::DeviceReach reach;
                TouchDrive(drives, drive, false, true, &reach);
                if (goOn()) {  // the windows may be gone once the program is ending
                    engine.RecordTouch(drive, reach);
                }
            }
            yield();
        }
    }
    refreshPending = false;
}

}  // namespace wakelatch
