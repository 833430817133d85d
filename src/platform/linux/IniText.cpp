#include "platform/linux/IniText.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace wakelatch::platform::ini {
namespace {

constexpr std::string_view kGeneral = "General";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | ((code >> 12) & 0x0F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

struct Line {
    std::string_view text;
    std::size_t equals = std::string_view::npos;  // the first '=' outside quotes, relative to text
    // Only the file's last line can end inside quotes or right after a backslash.
    bool endsInQuotes = false;
    bool endsInEscape = false;
};

// The next logical line from `pos`: blank lines and ';' comment lines are skipped; a line runs to its
// end, except that a backslash escapes the next character (a line break too) and quotes may span lines;
// an unquoted ';' ends it.
bool NextLine(std::string_view data, std::size_t& pos, Line& line) {
    for (;;) {
        while (pos < data.size() && IsBlank(data[pos])) {
            ++pos;
        }
        if (pos >= data.size()) {
            return false;
        }
        if (data[pos] != ';') {
            break;
        }
        while (pos < data.size() && data[pos] != '\n' && data[pos] != '\r') {
            ++pos;
        }
    }
    const std::size_t start = pos;
    bool inQuotes = false;
    line.equals = std::string_view::npos;
    line.endsInEscape = false;
    for (; pos < data.size(); ++pos) {
        const char c = data[pos];
        if (c == '=' && !inQuotes && line.equals == std::string_view::npos) {
            line.equals = pos - start;
        } else if ((c == '\n' || c == '\r' || c == ';') && !inQuotes) {
            break;
        } else if (c == '\\' && pos + 1 == data.size()) {
            line.endsInEscape = true;
        } else if (c == '\\') {
            ++pos;
            const char next = pos + 1 < data.size() ? data[pos + 1] : '\0';
            if ((data[pos] == '\n' && next == '\r') || (data[pos] == '\r' && next == '\n')) {
                ++pos;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        }
    }
    line.text = data.substr(start, pos - start);
    line.endsInQuotes = inQuotes;
    return true;
}

// The raw value of a key line. A value left open at the end of the file is closed as a reader ends it
// there (the dangling backslash stands for nothing, the quotes end): written back open, it would take
// in the lines written after it, and keys saved there would be lost.
std::string RawValueOf(const Line& line) {
    std::string raw(line.text.substr(line.equals + 1));
    if (line.endsInEscape) {
        raw.pop_back();
    }
    if (line.endsInQuotes) {
        raw += '"';
    }
    return raw;
}

Section& SectionNamed(Document& document, std::string_view name) {
    const auto it = std::find_if(document.sections.begin(), document.sections.end(),
                                 [&](const Section& s) { return s.name == name; });
    if (it != document.sections.end()) {
        return *it;
    }
    document.sections.push_back(Section{std::string(name), {}});
    return document.sections.back();
}

// An escape after a backslash: one of the named characters, \x hex digits, or octal digits. `i` is just
// past the backslash and is left past the escape.
void Unescape(std::string_view raw, std::size_t& i, std::string& out) {
    if (i >= raw.size()) {
        return;
    }
    const char c = raw[i++];
    switch (c) {
        case 'a':
            out += '\a';
            return;
        case 'b':
            out += '\b';
            return;
        case 'f':
            out += '\f';
            return;
        case 'n':
            out += '\n';
            return;
        case 'r':
            out += '\r';
            return;
        case 't':
            out += '\t';
            return;
        case 'v':
            out += '\v';
            return;
        case '"':
        case '?':
        case '\'':
        case '\\':
            out += c;
            return;
        case '\n':
        case '\r':  // a continued line
            if (i < raw.size() && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != c) {
                ++i;
            }
            return;
        default:
            break;
    }
    if (c == 'x' || (c >= '0' && c <= '7')) {
        std::uint32_t code = c == 'x' ? 0 : static_cast<std::uint32_t>(c - '0');
        const bool hex = c == 'x';
        if (hex && (i >= raw.size() || !IsHexDigit(raw[i]))) {
            return;  // "\x" without a digit stands for nothing
        }
        while (i < raw.size() && (hex ? IsHexDigit(raw[i]) : (raw[i] >= '0' && raw[i] <= '7'))) {
            code =
                (code * (hex ? 16 : 8) + static_cast<std::uint32_t>(hex ? HexValue(raw[i]) : raw[i] - '0')) &
                0xFFFF;
            ++i;
        }
        AppendUtf8(out, code);
    }
    // Any other escaped character is dropped, as QSettings drops it.
}

}  // namespace

Document Parse(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    Document document;
    std::unordered_map<std::string, std::size_t> sectionIndex;
    std::size_t current = 0;
    const auto enter = [&](std::string_view name) {
        const auto [it, added] = sectionIndex.try_emplace(std::string(name), document.sections.size());
        if (added) {
            document.sections.push_back(Section{std::string(name), {}});
        }
        current = it->second;
    };
    std::size_t pos = 0;
    Line line;
    while (NextLine(text, pos, line)) {
        if (line.text.front() == '[') {
            const std::size_t close = line.text.find(']');
            const std::string_view name =
                Trimmed(line.text.substr(1, close == std::string_view::npos ? close : close - 1));
            enter(name.empty() ? kGeneral : name);
            continue;
        }
        const std::string_view key = line.equals == std::string_view::npos
                                         ? std::string_view()
                                         : Trimmed(line.text.substr(0, line.equals));
        if (key.empty()) {
            continue;
        }
        if (document.sections.empty()) {
            enter(kGeneral);
        }
        document.sections[current].entries.push_back(Entry{std::string(key), RawValueOf(line)});
    }
    // A key named twice in a group keeps its later value.
    for (Section& section : document.sections) {
        std::unordered_set<std::string> seen;
        std::vector<Entry> kept;
        for (auto it = section.entries.rbegin(); it != section.entries.rend(); ++it) {
            if (seen.insert(it->key).second) {
                kept.push_back(std::move(*it));
            }
        }
        std::reverse(kept.begin(), kept.end());
        section.entries = std::move(kept);
    }
    return document;
}

std::string Serialize(const Document& document) {
    std::string text;
    for (const Section& section : document.sections) {
        if (!text.empty()) {
            text += '\n';
        }
        text += '[';
        text += section.name;
        text += "]\n";
        for (const Entry& entry : section.entries) {
            text += entry.key;
            text += '=';
            text += entry.rawValue;
            text += '\n';
        }
    }
    return text;
}

const std::string* Find(const Document& document, std::string_view section, std::string_view key) {
    for (const Section& s : document.sections) {
        if (s.name == section) {
            for (const Entry& entry : s.entries) {
                if (entry.key == key) {
                    return &entry.rawValue;
                }
            }
        }
    }
    return nullptr;
}

void Set(Document& document, std::string_view section, std::string_view key, std::string rawValue) {
    Section& target = SectionNamed(document, section);
    for (Entry& entry : target.entries) {
        if (entry.key == key) {
            entry.rawValue = std::move(rawValue);
            return;
        }
    }
    target.entries.push_back(Entry{std::string(key), std::move(rawValue)});
}

std::string ValueText(std::string_view raw) {
    std::vector<std::string> items;
    std::string current;
    bool inQuotes = false;
    bool quoted = false;       // the current item had quotes: its blanks are its own
    std::size_t keepUpTo = 0;  // blanks written by escapes are kept when the item's end is trimmed
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) {
            ++i;
        }
    };
    const auto chopTrailingBlanks = [&] {
        while (current.size() > keepUpTo && (current.back() == ' ' || current.back() == '\t')) {
            current.pop_back();
        }
    };
    skipBlanks();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            ++i;
            Unescape(raw, i, current);
            keepUpTo = current.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
            }
            keepUpTo = current.size();
        } else if (c == ',' && !inQuotes) {
            if (!quoted) {
                chopTrailingBlanks();
            }
            items.push_back(std::move(current));
            current.clear();
            quoted = false;
            keepUpTo = 0;
            ++i;
            skipBlanks();
        } else {
            current += c;
            ++i;
            if (inQuotes) {
                keepUpTo = current.size();
            }
        }
    }
    if (!quoted) {
        chopTrailingBlanks();
    }
    if (!items.empty()) {
        items.push_back(std::move(current));
        std::string joined;
        for (std::size_t k = 0; k < items.size(); ++k) {
            joined += (k == 0 ? "" : ",") + items[k];
        }
        return joined;
    }
    // QSettings' markers: "@@" stands for a text that begins with '@', "@Invalid()" for no value.
    if (current.rfind("@@", 0) == 0) {
        return current.substr(1);
    }
    if (current == "@Invalid()") {
        return {};
    }
    return current;
}

std::string RawValue(std::string_view text) {
    std::string raw;
    raw.reserve(text.size() + 2);
    if (!text.empty() && text.front() == '@') {
        raw += '@';
    }
    bool needsQuotes = false;
    bool escapeNextIfHex = false;  // after a numeric escape a hex digit would join it
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        needsQuotes = needsQuotes || c == ';' || c == ',' || c == '=';
        if (escapeNextIfHex && IsHexDigit(c)) {
            raw += "\\x";
            raw += "0123456789abcdef"[u >> 4];
            raw += "0123456789abcdef"[u & 0xF];
            continue;
        }
        escapeNextIfHex = false;
        switch (c) {
            case '\0':
                raw += "\\0";
                escapeNextIfHex = true;
                break;
            case '\a':
                raw += "\\a";
                break;
            case '\b':
                raw += "\\b";
                break;
            case '\f':
                raw += "\\f";
                break;
            case '\n':
                raw += "\\n";
                break;
            case '\r':
                raw += "\\r";
                break;
            case '\t':
                raw += "\\t";
                break;
            case '\v':
                raw += "\\v";
                break;
            case '"':
            case '\\':
                raw += '\\';
                raw += c;
                break;
            default:
                if (u <= 0x1F) {
                    raw += "\\x";
                    if (u >= 0x10) {
                        raw += '1';
                    }
                    raw += "0123456789abcdef"[u & 0xF];
                    escapeNextIfHex = true;
                } else {
                    raw += c;
                }
        }
    }
    if (needsQuotes || (!raw.empty() && (raw.front() == ' ' || raw.back() == ' '))) {
        raw = '"' + raw + '"';
    }
    return raw;
}

}  // namespace wakelatch::platform::ini
