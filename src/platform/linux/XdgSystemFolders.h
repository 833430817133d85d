#pragma once

#include "platform/SystemFolders.h"

namespace wakelatch::platform {

// The Windows folder's Linux stand-in: $XDG_DATA_HOME/Wakelatch, with its private TEMP subfolder.
class XdgSystemFolders final : public SystemFolders {
  public:
    std::string WindowsDirectory() override;
    std::string TempDirectoryFor(const std::string& windowsDirectory) override;
};

}  // namespace wakelatch::platform
