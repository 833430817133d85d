#include "ui/shaped/SystemInfo.h"

#include "ui/shaped/AboutTexts.h"

namespace wakelatch::about {

void StartSysInfo(ProgramStarter& programs, controls::MessageBoxService& messages, std::int32_t language) {
    for (const std::string_view tool : kSystemInfoTools) {
        if (const auto path = programs.Find(tool)) {
            if (programs.Start(*path)) {
                return;
            }
            break;  // found but it would not start: as on the original platform, that is the end
        }
    }
    const std::string_view message = NotAvailableMessage(language);
    if (!message.empty()) {
        messages.Show(std::string(message), "Wakelatch", controls::MessageIcon::None,
                      controls::MessageButtons::Ok);
    }
}

}  // namespace wakelatch::about
