#include "ui/shaped/SystemInfo.h"

#include "ui/shaped/AboutTexts.h"

namespace wakelatch::about {

void StartSysInfo(platform::Programs& programs, controls::MessageBoxService& messages,
                  std::int32_t language) {
    // One that is found but will not start is the end too: no other is tried.
    if (const auto path = programs.FindSystemInformation(); path && programs.Start(*path)) {
        return;
    }
    const std::string_view message = NotAvailableMessage(language);
    if (!message.empty()) {
        messages.Show(std::string(message), "Wakelatch", controls::MessageIcon::None,
                      controls::MessageButtons::Ok);
    }
}

}  // namespace wakelatch::about
