#pragma once

#include <cstdint>

#include "controls/MessageBox.h"
#include "platform/Programs.h"

namespace wakelatch::about {

// Starts the installed system information program; when none can be started, says so in the
// language (title "Wakelatch", an OK button, no icon; nothing at all for a language other than German
// or English).
void StartSysInfo(platform::Programs& programs, controls::MessageBoxService& messages, std::int32_t language);

}  // namespace wakelatch::about
