#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/MessageBox.h"

namespace wakelatch::about {

// Finding and starting programs (no shell, no waiting).
class ProgramStarter {
  public:
    virtual ~ProgramStarter() = default;
    // The full path of an installed program, found on the search path.
    virtual std::optional<std::string> Find(std::string_view program) = 0;
    virtual bool Start(const std::string& path) = 0;
};

// Starts the first installed system information program; when none can be started, says so in the
// language (title "Wakelatch", an OK button, no icon; nothing at all for a language other than German
// or English).
void StartSysInfo(ProgramStarter& programs, controls::MessageBoxService& messages, std::int32_t language);

}  // namespace wakelatch::about
