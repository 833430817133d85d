#pragma once

#include <string>

namespace wakelatch::platform {

// Finds another running copy of the program and talks to it.
class InstanceGuard {
  public:
    virtual ~InstanceGuard() = default;
    // True when another copy runs. When none does, this copy becomes the one that later copies find.
    virtual bool PreviousInstanceRunning() = 0;
    virtual std::string ApplicationTitle() const = 0;
    virtual void SetApplicationTitle(const std::string& title) = 0;
    // Asks the copy whose window carries `title` to come to the front; does not wait for it.
    virtual void ActivateWindow(const std::string& title) = 0;
};

}  // namespace wakelatch::platform
