#include "ui/win32/Geometry.h"

namespace wakelatch::win32ui {

TwipsRect InFrame(const TwipsRect& frame, const TwipsRect& control) {
    return {frame.left + control.left, frame.top + control.top, control.width, control.height};
}

placement::PixelRect ToPixels(const TwipsRect& rect, double twipsPerPixel) {
    const auto pixels = [twipsPerPixel](int twips) {
        return placement::TwipsToPixels(static_cast<float>(twips), twipsPerPixel);
    };
    return {pixels(rect.left), pixels(rect.top), pixels(rect.width), pixels(rect.height)};
}

}  // namespace wakelatch::win32ui
