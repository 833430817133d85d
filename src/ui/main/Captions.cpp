#include "ui/main/Captions.h"

namespace wakelatch::captions {

std::string_view ForLanguage(const Caption& caption, int language) {
    if (language == 1) {
        return caption.german;
    }
    if (language == 2) {
        return caption.english;
    }
    return {};
}

std::string_view DesignText(const Caption& caption) {
    return caption.design.empty() ? caption.control : caption.design;
}

}  // namespace wakelatch::captions
