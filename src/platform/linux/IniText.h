#pragma once

#include <string>
#include <string_view>
#include <vector>

// The INI text of the settings file, read and written as the files Qt's QSettings wrote: "[Group]"
// lines, "key=value" lines, ";" comments, values quoted where they hold ',', ';' or '=' or edge blanks,
// backslash escapes (a backslash in a value is written doubled), an unquoted comma making a list. Every
// routine is linear in the length of its text.
namespace wakelatch::platform::ini {

struct Entry {
    std::string key;
    std::string rawValue;  // as it stands in the file, after the '='
};

struct Section {
    std::string name;  // keys before any group line are in "General"
    std::vector<Entry> entries;
};

struct Document {
    std::vector<Section> sections;
};

// Reads what can be read; lines that are neither a group nor a key are skipped. A group named twice is
// one group; a key named twice keeps the later value.
Document Parse(std::string_view text);

// The file text: groups in their order, a blank line between them, one "key=value" line per key.
std::string Serialize(const Document& document);

// The raw value of the key, or nullptr.
const std::string* Find(const Document& document, std::string_view section, std::string_view key);

// Sets the key's raw value; a new group or key goes at the end.
void Set(Document& document, std::string_view section, std::string_view key, std::string rawValue);

// The text a raw value stands for: quotes and escapes undone, a list joined with ','.
std::string ValueText(std::string_view rawValue);

// The raw value that stands for the text (UTF-8), written as QSettings writes a string.
std::string RawValue(std::string_view text);

}  // namespace wakelatch::platform::ini
