#include <gtest/gtest.h>

#include "ui/win32/CommonControls.h"

#include "ui/win32/Geometry.h"
#include "ui/win32/Win32CheckList.h"
#include "ui/win32/Win32MessageBox.h"
#include "ui/win32/Win32Slider.h"

namespace wakelatch::win32ui {
namespace {

TEST(Twips, ToPixelsAndBackAt96And144Dpi) {
    struct Case {
        double dpi;
        TwipsRect twips;
        placement::PixelRect pixels;
    };
    for (const Case& c : {Case{96, {120, 360, 8055, 3210}, {8, 24, 537, 214}},
                          Case{144, {120, 360, 8055, 3210}, {12, 36, 806, 321}},
                          Case{96, {1000, 1000, 10000, 7100}, {67, 67, 667, 473}},
                          Case{144, {1000, 1000, 10000, 7100}, {100, 100, 1000, 710}}}) {
        const double twipsPerPixel = placement::TwipsPerPixel(c.dpi);
        const placement::PixelRect pixels = ToPixels(c.twips, twipsPerPixel);
        EXPECT_EQ(pixels.x, c.pixels.x) << c.dpi;
        EXPECT_EQ(pixels.y, c.pixels.y) << c.dpi;
        EXPECT_EQ(pixels.width, c.pixels.width) << c.dpi;
        EXPECT_EQ(pixels.height, c.pixels.height) << c.dpi;
        EXPECT_NEAR(placement::PixelsToTwips(pixels.width, twipsPerPixel), c.twips.width, twipsPerPixel / 2);
    }
}

TEST(Twips, ControlsInAFrameAreShiftedByTheFramesCorner) {
    struct Case {
        TwipsRect frame;
        TwipsRect control;
        TwipsRect expected;
    };
    for (const Case& c : {Case{{240, 840, 8415, 3975}, {120, 360, 8055, 3210}, {360, 1200, 8055, 3210}},
                          Case{{8630, 840, 1000, 3975}, {-185, 555, 1335, 255}, {8445, 1395, 1335, 255}},
                          Case{{8630, 840, 1000, 3975}, {-240, 3315, 1455, 255}, {8390, 4155, 1455, 255}}}) {
        const TwipsRect placed = InFrame(c.frame, c.control);
        EXPECT_EQ(placed.left, c.expected.left);
        EXPECT_EQ(placed.top, c.expected.top);
        EXPECT_EQ(placed.width, c.expected.width);
        EXPECT_EQ(placed.height, c.expected.height);
    }
}

TEST(Texts, TabsShowAsBlanksAndCarriageReturnsBreakLines) {
    EXPECT_EQ(DisplayText("D:\\ \tDaten\t[Festplatte] *Verbunden*"), L"D:\\  Daten [Festplatte] *Verbunden*");
    EXPECT_EQ(DisplayText("E:\\\t\xC3\x84nderung"), L"E:\\ \u00C4nderung");
    EXPECT_EQ(WindowsLineBreaks("Zeile 1\rZeile 2\r"), L"Zeile 1\r\nZeile 2\r\n");
    EXPECT_EQ(WindowsLineBreaks("schon\r\nrichtig"), L"schon\r\nrichtig");
}

TEST(Texts, ScrollCodesOfTheSlider) {
    EXPECT_EQ(SliderEventOf(TB_THUMBTRACK), SliderEvent::Moving);
    EXPECT_EQ(SliderEventOf(TB_ENDTRACK), SliderEvent::Ended);
    for (const int code :
         {TB_THUMBPOSITION, TB_LINEUP, TB_LINEDOWN, TB_PAGEUP, TB_PAGEDOWN, TB_TOP, TB_BOTTOM}) {
        EXPECT_EQ(SliderEventOf(code), SliderEvent::Settled) << code;
    }
}

}  // namespace
}  // namespace wakelatch::win32ui
