#pragma once

#include <string>

namespace wakelatch::platform {

// The per-user folders the program keeps its own files in.
class SystemFolders {
  public:
    virtual ~SystemFolders() = default;

    // The folder that plays the role of the Windows folder, without a trailing separator; empty when it
    // cannot be had. On Linux it is the per-user data folder; naming it creates nothing.
    virtual std::string WindowsDirectory() = 0;

    // The temp folder inside the given Windows folder (its "TEMP" subfolder). Both are created private
    // if missing.
    virtual std::string TempDirectoryFor(const std::string& windowsDirectory) = 0;

    // The folder whose "help" subfolder receives the help files, without a trailing separator. On
    // Windows the program's own folder where the user may write there, else a per-user folder (an
    // installed program's folder is not the user's to write); on Linux the per-user data folder.
    virtual std::string HelpParentFolder() = 0;
};

}  // namespace wakelatch::platform
