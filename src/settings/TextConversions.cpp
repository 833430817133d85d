#include "settings/TextConversions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace wakelatch::conversions {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// from_chars does not accept a leading '+'; stored texts written by hand may carry one.
std::string_view WithoutPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    return text;
}

template <typename Number>
std::optional<Number> ParseWhole(std::string_view text) {
    text = WithoutPlus(Trimmed(text));
    Number value{};
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<std::int32_t> ToInt32(std::string_view text) {
    return ParseWhole<std::int32_t>(text);
}

std::optional<bool> ToBoolean(std::string_view text) {
    const std::string_view word = Trimmed(text);
    if (EqualsIgnoringCase(word, "true")) {
        return true;
    }
    if (EqualsIgnoringCase(word, "false")) {
        return false;
    }
    const std::optional<float> number = ToSingle(word);
    if (!number) {
        return std::nullopt;
    }
    return *number != 0.0F;
}

std::optional<float> ToSingle(std::string_view text) {
    text = WithoutPlus(Trimmed(text));
    float value{};
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || ec != std::errc{} || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string FromInt32(std::int32_t value) {
    return std::to_string(value);
}

std::string FromBoolean(bool value) {
    return value ? "True" : "False";
}

std::string FromSingle(float value) {
    std::array<char, 64> buffer{};
    const auto [ptr, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    if (ec != std::errc{}) {
        return "0";
    }
    return std::string(buffer.data(), ptr);
}

}  // namespace wakelatch::conversions
