#include "ui/shaped/AboutTexts.h"

namespace wakelatch::about {

std::string_view Description(std::int32_t language) {
    return language == 1 ? kDescriptionGerman : kDescriptionEnglish;
}

std::string_view Notice(std::int32_t language) {
    return language == 1 ? kNoticeGerman : kNoticeEnglish;
}

std::string_view NotAvailableMessage(std::int32_t language) {
    if (language == 1) {
        return "Systeminformationsprogramm zur Zeit nicht verfügbar.";
    }
    if (language == 2) {
        return "Systeminformation now are not avaibel.";
    }
    return {};
}

}  // namespace wakelatch::about
