#pragma once

#include <string>

namespace wakelatch::platform {

// The per-user list of programs started with the desktop session.
class AutostartEntries {
  public:
    virtual ~AutostartEntries() = default;

    // Creates or replaces the entry `name` that starts `command` (a program file path). True on success.
    virtual bool Write(const std::string& name, const std::string& command) = 0;

    // Removes the entry `name`. False when it could not be removed, and when there was none.
    virtual bool Remove(const std::string& name) = 0;
};

}  // namespace wakelatch::platform
