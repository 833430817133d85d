#pragma once

#include <cstddef>
#include <optional>

// The files the program carries inside itself, by resource id (embedded at build time).
namespace wakelatch::resources {

inline constexpr int kSplashBitmap = 101;
inline constexpr int kAboutBitmap = 102;
inline constexpr int kHelpGerman = 1000;  // the help file of Language 1; Language + 999 in general
inline constexpr int kHelpEnglish = 1001;
inline constexpr int kTypeLibrary = 9999;

struct Bytes {
    const unsigned char* data;
    std::size_t size;
};

std::optional<Bytes> Find(int id);

}  // namespace wakelatch::resources
