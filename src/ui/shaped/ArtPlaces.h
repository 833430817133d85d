#pragma once

#include <cstdint>

// Where the texts and buttons sit on the splash and About pictures (pixels from the top-left corner),
// matching the calm areas the pictures leave for them. Shared by the Qt and the Win32 windows.
namespace wakelatch::art::place {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The splash: on the label plate of the drive's front (36, 100, 220 x 104), light on dark gunmetal.
inline constexpr Rect kSplashName{50, 110, 200, 44};
inline constexpr Rect kSplashVersion{52, 156, 196, 18};
inline constexpr Rect kSplashCopyright{52, 178, 196, 16};
inline constexpr std::uint32_t kSplashTextColour = 0xf0f3f6;  // 0xRRGGBB

// The About card: right of the disk (200, 20, 290 x 305), light on blue; the buttons at the bottom.
inline constexpr Rect kAboutName{204, 24, 280, 40};
inline constexpr Rect kAboutVersion{206, 64, 280, 18};
inline constexpr Rect kAboutDescription{206, 92, 278, 112};
inline constexpr Rect kAboutNotice{206, 208, 278, 58};
inline constexpr Rect kAboutCopyright{206, 268, 278, 16};
inline constexpr Rect kAboutSysInfoButton{266, 296, 120, 28};
inline constexpr Rect kAboutOkButton{394, 296, 90, 28};
inline constexpr std::uint32_t kAboutTextColour = 0xffffff;

}  // namespace wakelatch::art::place
