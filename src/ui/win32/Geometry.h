#pragma once

#include "ui/main/Placement.h"

// Control places in twips, as the windows document them, and their pixels.
namespace wakelatch::win32ui {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Group boxes are no containers in Win32: a control documented inside a frame is a child of the frame's
// parent, its place shifted by the frame's corner.
TwipsRect InFrame(const TwipsRect& frame, const TwipsRect& control);

placement::PixelRect ToPixels(const TwipsRect& rect, double twipsPerPixel);

}  // namespace wakelatch::win32ui
