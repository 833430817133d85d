#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/shaped/Region.h"

namespace wakelatch::sml_GIF_TO_FRM {
namespace {

// A picture drawn in characters: '.' white, '#' black, 'r' red.
class TextPicture final : public Picture {
  public:
    explicit TextPicture(std::vector<std::string> rows) : rows_(std::move(rows)) {}
    int Width() const override { return static_cast<int>(rows_.front().size()); }
    int Height() const override { return static_cast<int>(rows_.size()); }
    std::uint32_t Pixel(int x, int y) const override {
        switch (rows_[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) {
            case '.':
                return 0xFFFFFF;
            case '#':
                return 0x000000;
            case 'w':
                return 0xFEFEFE;  // nearly white: kept, colours are compared exactly
            default:
                return 0xFF0000;
        }
    }

  private:
    std::vector<std::string> rows_;
};

// Runs of the non-key colour become rectangles {left, top, right, bottom}, row by row.
TEST(Region, RunsOfThePictureOutsideTheKeyColour) {
    struct Case {
        const char* name;
        std::vector<std::string> picture;
        std::vector<Rect> region;
    };
    const Case cases[] = {
        {"white corners and a white spot are see-through",
         {".rrr.", "rr.rr", ".rwr."},
         {{1, 0, 4, 1}, {0, 1, 2, 2}, {3, 1, 5, 2}, {1, 2, 4, 3}}},
        {"the top left pixel chooses the key colour", {"#..#", "##.."}, {{1, 0, 3, 1}, {2, 1, 4, 2}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MakeRegionFromPicture(TextPicture(c.picture)), c.region) << c.name;
    }
}

}  // namespace
}  // namespace wakelatch::sml_GIF_TO_FRM
