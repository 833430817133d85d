#include "drives/KeepAwakePass.h"

#include <cctype>

#include "drives/Selection.h"
#include "drives/TouchDrive.h"

namespace wakelatch {

void KeepAwakePass(ProgramState& state, DriveEngine& engine, platform::DrivePlatform& drives,
                   bool& refreshPending, const std::function<void()>& yield, bool touch) {
    refreshPending = true;
    yield();
    engine.FillDriveList();
    yield();
    yield();
    engine.ApplyDriveSelection();
    yield();
    if (state.DriveStart == 1) {
        engine.ReconnectNetworkDrives();
    }
    yield();
    if (!selection::IsNoSelection(state.Drives) && touch) {
        // The selection may be saved anew while the pass yields; each entry is read as it is reached.
        const int entries = selection::EntryCount(state.Drives);
        for (int k = 0; k < entries; ++k) {
            std::string drive(selection::EntryTail(state.Drives, k).substr(0, 2));
            for (char& c : drive) {
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
            yield();
            if (engine.IsDriveSelected(drive)) {
                TouchDrive(drives, drive, false, true);
            }
            yield();
        }
    }
    refreshPending = false;
}

}  // namespace wakelatch
