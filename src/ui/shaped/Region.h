#pragma once

#include <cstdint>
#include <vector>

// Window regions cut from a picture: every pixel of the key colour (the top-left pixel's) is see-through.
namespace wakelatch::sml_GIF_TO_FRM {

// Right and bottom exclusive, in pixels, (0, 0) at the window's top-left corner.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

// The pixels of a picture, as 0xRRGGBB.
class Picture {
  public:
    virtual ~Picture() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual std::uint32_t Pixel(int x, int y) const = 0;
};

// One rectangle per horizontal run of pixels that differ from the key colour, row by row. Empty when
// the picture has no such pixel (the window then stays a plain rectangle).
std::vector<Rect> MakeRegionFromPicture(const Picture& picture);

}  // namespace wakelatch::sml_GIF_TO_FRM
