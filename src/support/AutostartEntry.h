#pragma once

#include <string>

#include "platform/AutostartEntries.h"

namespace wakelatch::sml_ALL_REG_ZUGRIFF {

inline constexpr int kAutostartDelete = 0;
inline constexpr int kAutostartWrite = 1;

// Writes (mode 1) or deletes (mode 0) the autostart entry `name` whose command is `data`. True when the
// platform operation succeeded; deleting an entry that does not exist reports false. Any other mode
// does nothing and reports false.
bool SetAutostartEntry(platform::AutostartEntries& entries, const std::string& name, const std::string& data,
                       int mode);

}  // namespace wakelatch::sml_ALL_REG_ZUGRIFF
