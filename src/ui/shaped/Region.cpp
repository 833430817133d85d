#include "ui/shaped/Region.h"

namespace wakelatch::sml_GIF_TO_FRM {

std::vector<Rect> MakeRegionFromPicture(const Picture& picture) {
    std::vector<Rect> region;
    const int width = picture.Width();
    const int height = picture.Height();
    if (width <= 0 || height <= 0) {
        return region;
    }
    const std::uint32_t key = picture.Pixel(0, 0);
    for (int y = 0; y < height; ++y) {
        int start = -1;
        for (int x = 0; x < width; ++x) {
            const bool keyColoured = picture.Pixel(x, y) == key;
            if (!keyColoured && start < 0) {
                start = x;
            } else if (keyColoured && start >= 0) {
                region.push_back({start, y, x, y + 1});
                start = -1;
            }
        }
        if (start >= 0) {
            region.push_back({start, y, width, y + 1});
        }
    }
    return region;
}

}  // namespace wakelatch::sml_GIF_TO_FRM
