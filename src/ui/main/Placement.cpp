#include "ui/main/Placement.h"

#include <algorithm>
#include <cmath>

namespace wakelatch::placement {
namespace {

bool Intersects(const PixelRect& a, const PixelRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

int OffsetWithin(int preferred, int available, int size) {
    return std::clamp(preferred, 0, std::max(0, available - size));
}

}  // namespace

double TwipsPerPixel(double logicalDpi) {
    return logicalDpi > 0 ? 1440.0 / logicalDpi : 15.0;
}

int TwipsToPixels(float twips, double twipsPerPixel) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

float PixelsToTwips(int pixels, double twipsPerPixel) {
    return static_cast<float>(std::round(pixels * twipsPerPixel));
}

PlacedCoordinate Place(float twips, double twipsPerPixel) {
    return {twips, TwipsToPixels(twips, twipsPerPixel)};
}

float CurrentTwips(const PlacedCoordinate& placed, int currentPixels, double twipsPerPixel) {
    return currentPixels == placed.pixels ? placed.twips : PixelsToTwips(currentPixels, twipsPerPixel);
}

PixelRect KeepOnScreen(const PixelRect& window, const std::vector<PixelRect>& screens,
                       const PixelRect& primaryAvailable, int preferredOffset) {
    const bool visible = std::any_of(screens.begin(), screens.end(),
                                     [&](const PixelRect& screen) { return Intersects(window, screen); });
    if (visible) {
        return window;
    }
    PixelRect moved = window;
    moved.x = primaryAvailable.x + OffsetWithin(preferredOffset, primaryAvailable.width, window.width);
    moved.y = primaryAvailable.y + OffsetWithin(preferredOffset, primaryAvailable.height, window.height);
    return moved;
}

}  // namespace wakelatch::placement
