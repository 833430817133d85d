#pragma once

#include <QColor>
#include <QRect>

// Where the texts and buttons sit on the splash and About pictures (pixels from the top-left corner),
// matching the calm areas the pictures leave for them.
namespace wakelatch::art {

// The splash: on the label plate of the drive's front (36, 100, 220 x 104), light on dark gunmetal.
inline constexpr QRect kSplashName{50, 110, 200, 44};
inline constexpr QRect kSplashVersion{52, 156, 196, 18};
inline constexpr QRect kSplashCopyright{52, 178, 196, 16};
// Its texts' colour, set through the palette: a style sheet would cost the splash milliseconds at start.
inline constexpr QRgb kSplashTextColour = 0xf0f3f6;

// The About card: right of the disk (200, 20, 290 x 305), light on blue; the buttons at the bottom.
inline constexpr QRect kAboutName{204, 24, 280, 40};
inline constexpr QRect kAboutVersion{206, 64, 280, 18};
inline constexpr QRect kAboutDescription{206, 92, 278, 112};
inline constexpr QRect kAboutNotice{206, 208, 278, 58};
inline constexpr QRect kAboutCopyright{206, 268, 278, 16};
inline constexpr QRect kAboutSysInfoButton{266, 296, 120, 28};
inline constexpr QRect kAboutOkButton{394, 296, 90, 28};
inline constexpr const char* kAboutTextStyle = "color: #ffffff; background: transparent;";

}  // namespace wakelatch::art
