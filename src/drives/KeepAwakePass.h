#pragma once

#include <functional>

#include "drives/DriveEngine.h"
#include "platform/DrivePlatform.h"
#include "settings/ProgramState.h"

namespace wakelatch {

// One keep-awake pass: the drive list rebuilt and ticked, selected mapped drives reconnected (with the
// network check on), and every selected drive touched once, in the order of the selection.
// `refreshPending` (the main window's flag) is true for the duration. Once `abandoned` answers true (the
// program is ending while the pass waits for a drive), no further step runs.
void KeepAwakePass(ProgramState& state, DriveEngine& engine, platform::DrivePlatform& drives,
                   bool& refreshPending, const std::function<void()>& yield, bool touch,
                   const std::function<bool()>& abandoned = {});

}  // namespace wakelatch
