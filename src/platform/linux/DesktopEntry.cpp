#include "platform/linux/DesktopEntry.h"

namespace wakelatch::platform::desktop_entry {
namespace {

std::string EscapeStringValue(std::string_view text) {
    std::string result;
    for (const char c : text) {
        switch (c) {
            case '\\':
                result += "\\\\";
                break;
            case '\n':
                result += "\\n";
                break;
            case '\t':
                result += "\\t";
                break;
            case '\r':
                result += "\\r";
                break;
            default:
                result += c;
                break;
        }
    }
    return result;
}

// A name goes into Name= as a string value; a leading blank would be lost without \s.
std::string EscapeName(std::string_view text) {
    std::string result = EscapeStringValue(text);
    if (!result.empty() && result.front() == ' ') {
        result.replace(0, 1, "\\s");
    }
    return result;
}

}  // namespace

std::string QuoteExecArgument(std::string_view argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '%') {
            quoted += "%%";
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    return EscapeStringValue(quoted);
}

std::string AutostartEntryText(std::string_view name, std::string_view programPath) {
    std::string text = "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Version=1.0\n";
    text += "Name=" + EscapeName(name) + "\n";
    text += "Comment=Keeps chosen drives from going into standby\n";
    text += "Exec=" + QuoteExecArgument(programPath) + "\n";
    text += "Terminal=false\n";
    text += "X-GNOME-Autostart-enabled=true\n";
    return text;
}

}  // namespace wakelatch::platform::desktop_entry
