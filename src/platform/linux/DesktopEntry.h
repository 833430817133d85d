#pragma once

#include <string>
#include <string_view>

namespace wakelatch::platform::desktop_entry {

// One argument of an Exec key, quoted and escaped as the Desktop Entry rules ask: inside double quotes
// the characters " ` $ \ get a backslash; '%' is doubled (it starts a field code); then the whole text is
// escaped once more as a string value (\ → \\, newline → \n, tab → \t, carriage return → \r).
std::string QuoteExecArgument(std::string_view argument);

// The text of an autostart desktop entry named `name` that starts `programPath`.
std::string AutostartEntryText(std::string_view name, std::string_view programPath);

}  // namespace wakelatch::platform::desktop_entry
