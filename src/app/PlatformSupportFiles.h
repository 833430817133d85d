#pragma once

#include <string>

#include "app/StartupServices.h"
#include "platform/Platform.h"

namespace wakelatch {

// The support files start-up writes, on the platform's own terms: the shell link type library where the
// platform uses one, and the help file of the language in the platform's help folder.
class PlatformSupportFiles final : public SupportFiles {
  public:
    explicit PlatformSupportFiles(platform::Platform& platform) : platform_(platform) {}

    void InstallTypeLibrary(ProgramState& state) override;
    void ExtractHelpFile(ProgramState& state) override;

    // Where ExtractHelpFile writes the help file of that name (and where the help command opens it).
    std::string HelpFilePath(const std::string& fileName) const;

  private:
    platform::Platform& platform_;
};

}  // namespace wakelatch
