#include <gtest/gtest.h>

#include "ui/main/Placement.h"

namespace wakelatch::placement {
namespace {

// 1000 twips are 66.67 pixels at 96 dpi: rounding there and back would store 1005, so an unmoved
// coordinate reads back what it was given; a moved one is converted to whole twips.
TEST(Placement, AnUnmovedCoordinateReadsBackExactlyAMovedOneInWholeTwips) {
    const PlacedCoordinate placed = Place(1000.0F, 15.0);
    EXPECT_EQ(placed.pixels, 67);
    EXPECT_EQ(CurrentTwips(placed, 67, 15.0), 1000.0F);
    EXPECT_EQ(CurrentTwips(placed, 200, 15.0), 3000.0F);
    EXPECT_EQ(CurrentTwips(placed, -10, 13.0909), -131.0F);
}

TEST(Placement, AWindowOnAnyScreenStaysWhereItIs) {
    const std::vector<PixelRect> screens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    const PixelRect onSecond{2500, 300, 667, 473};
    const PixelRect partlyOff{-600, -400, 667, 473};  // 67 x 73 pixels still on screen
    EXPECT_EQ(KeepOnScreen(onSecond, screens, {0, 0, 1920, 1040}, 67).x, 2500);
    EXPECT_EQ(KeepOnScreen(partlyOff, screens, {0, 0, 1920, 1040}, 67).x, -600);
}

TEST(Placement, AWindowOffEveryScreenMovesOntoThePrimaryScreen) {
    const std::vector<PixelRect> screens{{0, 0, 1920, 1080}};
    const PixelRect onGoneMonitor{2500, 300, 667, 473};
    const PixelRect moved = KeepOnScreen(onGoneMonitor, screens, {0, 30, 1920, 1050}, 67);
    EXPECT_EQ(moved.x, 67);
    EXPECT_EQ(moved.y, 97);
    EXPECT_EQ(moved.width, 667);

    // On a primary screen too small for the offset the window goes to its corner.
    const PixelRect small = KeepOnScreen({5000, 5000, 667, 473}, {{0, 0, 700, 500}}, {0, 0, 700, 500}, 67);
    EXPECT_EQ(small.x, 33);
    EXPECT_EQ(small.y, 27);
}

}  // namespace
}  // namespace wakelatch::placement
