#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Conversions between stored setting texts and the types the program holds in memory. Every reader
// returns an empty optional for a text that does not convert; the caller then keeps the field's zero
// value (or, for window positions, the default position).
namespace wakelatch::conversions {

// Optional surrounding blanks, an optional sign and decimal digits, within the 32-bit range.
std::optional<std::int32_t> ToInt32(std::string_view text);

// The words True and False in any letter case, or any number: 0 is false, every other number true.
std::optional<bool> ToBoolean(std::string_view text);

// A decimal number such as "1000", "-120" or "1000.5" (a dot as decimal separator).
std::optional<float> ToSingle(std::string_view text);

std::string FromInt32(std::int32_t value);
std::string FromBoolean(bool value);  // "True" or "False"
// The shortest decimal text that reads back as the same number; a whole number has no decimal point.
std::string FromSingle(float value);

}  // namespace wakelatch::conversions
