#pragma once

#include "platform/SystemFolders.h"

namespace wakelatch::platform {

// The Windows folder's Linux stand-in: $XDG_DATA_HOME/Wakelatch, with its private TEMP subfolder.
class XdgSystemFolders final : public SystemFolders {
  public:
    std::string WindowsDirectory() override;
    std::string TempDirectoryFor(const std::string& windowsDirectory) override;
    // The data folder: an installed program's folder is not the user's to write.
    std::string HelpParentFolder() override { return WindowsDirectory(); }
};

}  // namespace wakelatch::platform
