#pragma once

#include <string>

#include "platform/AutostartEntries.h"

namespace wakelatch::platform {

// Autostart entries as desktop files in $XDG_CONFIG_HOME/autostart (or a folder given for tests).
class DesktopAutostart final : public AutostartEntries {
  public:
    explicit DesktopAutostart(std::string folderOverride = {});

    bool Write(const std::string& name, const std::string& command) override;
    bool Remove(const std::string& name) override;

    std::string EntryPath(const std::string& name) const;

  private:
    std::string folderOverride_;
};

}  // namespace wakelatch::platform
