#pragma once

#include <QColor>
#include <QRect>

#include "ui/shaped/ArtPlaces.h"

// The places of ArtPlaces.h as Qt takes them.
namespace wakelatch::art {

constexpr QRect ToQRect(const place::Rect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

inline constexpr QRect kSplashName = ToQRect(place::kSplashName);
inline constexpr QRect kSplashVersion = ToQRect(place::kSplashVersion);
inline constexpr QRect kSplashCopyright = ToQRect(place::kSplashCopyright);
// Its texts' colour, set through the palette: a style sheet would cost the splash milliseconds at start.
inline constexpr QRgb kSplashTextColour = place::kSplashTextColour;

inline constexpr QRect kAboutName = ToQRect(place::kAboutName);
inline constexpr QRect kAboutVersion = ToQRect(place::kAboutVersion);
inline constexpr QRect kAboutDescription = ToQRect(place::kAboutDescription);
inline constexpr QRect kAboutNotice = ToQRect(place::kAboutNotice);
inline constexpr QRect kAboutCopyright = ToQRect(place::kAboutCopyright);
inline constexpr QRect kAboutSysInfoButton = ToQRect(place::kAboutSysInfoButton);
inline constexpr QRect kAboutOkButton = ToQRect(place::kAboutOkButton);
inline constexpr const char* kAboutTextStyle = "color: #ffffff; background: transparent;";

}  // namespace wakelatch::art
