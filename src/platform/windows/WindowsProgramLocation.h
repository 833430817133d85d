#pragma once

#include <string>

#include "platform/ProgramLocation.h"

namespace wakelatch::platform {

// The running program file (GetModuleFileNameW). "Started from a network path" means its folder begins
// with a backslash or a slash: a share such as \\server\share\... (also as \\?\UNC\...). A drive letter
// passes even when it is a mapped network drive: the program has always allowed that, and users rely on
// it; asking for the drive's type would refuse them.
class WindowsProgramLocation final : public ProgramLocation {
  public:
    // The program file can be given for tests; by default it is the process's own.
    explicit WindowsProgramLocation(std::string programFileOverride = {});

    std::string ProgramFilePath() override;
    // The folder without a trailing backslash, except for a drive's root folder ("C:\").
    std::string ProgramFolder() override;
    bool StartedFromNetworkPath() override;

  private:
    std::string programFileOverride_;
};

}  // namespace wakelatch::platform
