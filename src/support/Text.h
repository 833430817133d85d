#pragma once

#include <string>

namespace wakelatch::text {

// The text without blanks (spaces) at its start and end.
std::string TrimBlanks(const std::string& text);

}  // namespace wakelatch::text
