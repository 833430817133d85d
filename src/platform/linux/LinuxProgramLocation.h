#pragma once

#include <string>

#include "platform/ProgramLocation.h"

namespace wakelatch::platform {

// The running program file from /proc/self/exe; "started from a network path" means its folder lies on
// a network filesystem according to /proc/self/mountinfo.
class LinuxProgramLocation final : public ProgramLocation {
  public:
    // The paths can be given for tests; by default they are the process's own.
    explicit LinuxProgramLocation(std::string mountInfoPath = "/proc/self/mountinfo",
                                  std::string programFileOverride = {});

    std::string ProgramFilePath() override;
    std::string ProgramFolder() override;
    bool StartedFromNetworkPath() override;

  private:
    std::string mountInfoPath_;
    std::string programFileOverride_;
};

// Whether `folder` lies on a network filesystem according to the mountinfo text. The device number, when
// known (stat of the folder succeeded), picks the mount; otherwise the longest containing mount point.
bool FolderIsOnNetworkFilesystem(const std::string& mountInfoText, const std::string& folder,
                                 const unsigned* deviceMajor, const unsigned* deviceMinor);

}  // namespace wakelatch::platform
