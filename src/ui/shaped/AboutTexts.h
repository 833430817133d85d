#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The About window's texts.
namespace wakelatch::about {

inline constexpr std::string_view kDescriptionGerman =
    "ermöglicht es Ihnen, angeschlossene oder an Ihr Netzwerk angebundene Laufwerke, nicht in den "
    "Standby-Modus wechseln zu lassen. Somit sind Ihre Laufwerke immer Zugriffsbereit für Sie. Ausserdem "
    "schont es Ihr Laufwerk, da es kein ständiges Anlaufen aus dem Standby-Modus gibt.";
inline constexpr std::string_view kDescriptionEnglish =
    "if it enables you, connected or at your network of connected drives, not to let shift in the "
    "Standby-Modus. Consequently, your drives always are ready for you. Furthermore it spares your drive "
    "since there is not any continuous not starting from the Standby-Modus.";
inline constexpr std::string_view kNoticeGerman =
    "Ohne Gewährleistung. Das Programm liest nur von den gewählten Laufwerken und schreibt nie auf sie.";
inline constexpr std::string_view kNoticeEnglish =
    "Without warranty. The program only reads from the chosen drives and never writes to them.";
inline constexpr std::string_view kCopyright = "© 2026 The Wakelatch developers";

// Language 1 is German; every other value English.
std::string_view Description(std::int32_t language);
std::string_view Notice(std::int32_t language);

// The message when none can be started: by Language, 1 German, 2 English, any other nothing.
std::string_view NotAvailableMessage(std::int32_t language);

}  // namespace wakelatch::about
