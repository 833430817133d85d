#pragma once

#include <string>

#include "platform/SystemFolders.h"

namespace wakelatch::platform {

class WindowsSystemFolders final : public SystemFolders {
  public:
    // `programFolder` is where the help files go when the user may write there.
    explicit WindowsSystemFolders(std::string programFolder);

    // GetWindowsDirectoryA into 256 characters; empty when it fails.
    std::string WindowsDirectory() override;
    // %TEMP%\Wakelatch whatever the Windows folder: the Windows folder's TEMP is shared by all users, and
    // the pictures written there have fixed names. Created when missing; a reparse point at its place is
    // moved aside, so the folder is the user's own (owner-only through the user's temp folder's ACL).
    std::string TempDirectoryFor(const std::string& windowsDirectory) override;
    // The program folder when a file can be created there, else %LOCALAPPDATA%\Wakelatch (created).
    std::string HelpParentFolder() override;

  private:
    std::string programFolder_;
};

}  // namespace wakelatch::platform
