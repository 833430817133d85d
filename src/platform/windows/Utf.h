#pragma once

#include <string>

// The program's texts are UTF-8; Windows takes UTF-16 (the W calls) or the ANSI code page (the A calls).
namespace wakelatch::platform::utf {

// UTF-8 → UTF-16; invalid sequences become U+FFFD.
std::wstring Widen(const std::string& text);
// UTF-16 → UTF-8.
std::string Narrow(const std::wstring& text);
// Text in the ANSI code page (what an A call returns) → UTF-8.
std::string FromAnsi(const std::string& text);
// UTF-8 → the ANSI code page, for an A call; a character the code page lacks becomes its default ("?").
std::string ToAnsi(const std::string& text);

}  // namespace wakelatch::platform::utf
