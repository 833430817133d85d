#pragma once

#include "platform/Programs.h"

namespace wakelatch::platform {

// Other programs, started with CreateProcessW (never a shell); the system information program is found
// in the machine's registry, the help viewer is the Windows folder's hh.exe.
class WindowsPrograms final : public Programs {
  public:
    bool Start(const std::string& path) override;
    int RunAndWait(const std::string& commandLine, std::chrono::milliseconds limit) override;
    std::optional<std::string> FindSystemInformation() override;
    bool OpenHelpFile(const std::string& path) override;
};

}  // namespace wakelatch::platform
