#pragma once

#include <vector>

// Window placement arithmetic between the twips the program stores and the pixels of the screen.
namespace wakelatch::placement {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// 15 at 96 dpi.
double TwipsPerPixel(double logicalDpi);

int TwipsToPixels(float twips, double twipsPerPixel);

// Whole twips; a window position is never stored with a fraction of a twip.
float PixelsToTwips(int pixels, double twipsPerPixel);

// One coordinate as it was given in twips and placed in pixels. Reading it back gives the very twips it
// was given while the window has not moved, so an untouched position never drifts by rounding.
struct PlacedCoordinate {
    float twips = 0;
    int pixels = 0;
};

PlacedCoordinate Place(float twips, double twipsPerPixel);
float CurrentTwips(const PlacedCoordinate& placed, int currentPixels, double twipsPerPixel);

// A window rectangle that shares no pixel with any screen (its monitor is gone) is moved onto the primary
// screen's available area, `preferredOffset` pixels in from its corner as far as the window fits there.
// Otherwise it is left where it is.
PixelRect KeepOnScreen(const PixelRect& window, const std::vector<PixelRect>& screens,
                       const PixelRect& primaryAvailable, int preferredOffset);

}  // namespace wakelatch::placement
