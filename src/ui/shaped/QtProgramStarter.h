#pragma once

#include "ui/shaped/SystemInfo.h"

namespace wakelatch::qtui {

// Programs found on the search path and started detached, without a shell.
class QtProgramStarter final : public about::ProgramStarter {
  public:
    std::optional<std::string> Find(std::string_view program) override;
    bool Start(const std::string& path) override;
};

}  // namespace wakelatch::qtui
