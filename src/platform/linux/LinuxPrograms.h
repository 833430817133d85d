#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Programs.h"

namespace wakelatch::platform {

// The system information programs tried, in order: there is no registry to ask which one is installed.
inline constexpr std::array<std::string_view, 5> kSystemInfoTools = {"hardinfo2", "hardinfo", "kinfocenter",
                                                                     "lshw-gtk", "gnome-system-monitor"};

// Programs started with posix_spawn, never through a shell, in a session of their own with default
// signal handling and input from /dev/null. A program left running is reaped when it ends. Programs named
// without a folder are looked for in the search path; the help viewer is whatever xdg-open picks for
// compiled help.
class LinuxPrograms final : public Programs {
  public:
    // `searchPath`: folders separated by colons, as in $PATH (by default $PATH itself).
    explicit LinuxPrograms(std::string searchPath = SearchPathOfEnvironment());

    bool Start(const std::string& path) override;
    // The system's error number (as errno) when the program cannot be started.
    int RunAndWait(const std::string& commandLine, std::chrono::milliseconds limit) override;
    std::optional<std::string> FindSystemInformation() override;
    bool OpenHelpFile(const std::string& path) override;

    static std::string SearchPathOfEnvironment();

  private:
    // The executable file the name stands for: itself when it has a folder, else the first in the path.
    std::optional<std::string> Find(std::string_view program) const;
    bool HelpViewerRegistered();

    std::string searchPath_;
    std::optional<bool> helpViewerRegistered_;  // asked once: the answer does not change while we run
};

}  // namespace wakelatch::platform
