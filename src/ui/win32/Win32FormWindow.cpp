#include "ui/win32/Win32FormWindow.h"

#include <vector>

#include "ui/win32/Dpi.h"
#include "ui/win32/Win32Texts.h"

namespace wakelatch::win32ui {
namespace {

placement::PixelRect ToPixelRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM screens) {
    reinterpret_cast<std::vector<placement::PixelRect>*>(screens)->push_back(ToPixelRect(*rect));
    return TRUE;
}

}  // namespace

void Win32FormWindow::SetCaption(const std::string& caption) {
    SetTextOf(window_, caption);
}

std::string Win32FormWindow::Caption() const {
    return TextOf(window_);
}

void Win32FormWindow::SetPlacement(float left, float top, float width, float height) {
    twipsPerPixel_ = TwipsPerPixelOf(window_);
    left_ = placement::Place(left, twipsPerPixel_);
    top_ = placement::Place(top, twipsPerPixel_);
    width_ = placement::Place(width, twipsPerPixel_);
    height_ = placement::Place(height, twipsPerPixel_);

    std::vector<placement::PixelRect> screens;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&screens));
    MONITORINFO primary{};
    primary.cbSize = sizeof(primary);
    const placement::PixelRect wanted{left_.pixels, top_.pixels, width_.pixels, height_.pixels};
    placement::PixelRect placed = wanted;
    if (GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary) != FALSE) {
        placed = placement::KeepOnScreen(wanted, screens, ToPixelRect(primary.rcWork),
                                         placement::TwipsToPixels(1000.0F, twipsPerPixel_));
    }
    if (placed.x != wanted.x || placed.y != wanted.y) {
        left_ = {placement::PixelsToTwips(placed.x, twipsPerPixel_), placed.x};
        top_ = {placement::PixelsToTwips(placed.y, twipsPerPixel_), placed.y};
    }
    SetWindowPos(window_, nullptr, placed.x, placed.y, placed.width, placed.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Win32FormWindow::Rect() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return rect;
}

// After a move to a monitor of another DPI the given twips no longer describe the pixels.
float Win32FormWindow::Current(const placement::PlacedCoordinate& placed, LONG pixels) const {
    const double twipsPerPixel = TwipsPerPixelOf(window_);
    return twipsPerPixel == twipsPerPixel_ ? placement::CurrentTwips(placed, pixels, twipsPerPixel)
                                           : placement::PixelsToTwips(pixels, twipsPerPixel);
}

float Win32FormWindow::Left() const {
    return Current(left_, Rect().left);
}

float Win32FormWindow::Top() const {
    return Current(top_, Rect().top);
}

float Win32FormWindow::Width() const {
    const RECT rect = Rect();
    return Current(width_, rect.right - rect.left);
}

float Win32FormWindow::Height() const {
    const RECT rect = Rect();
    return Current(height_, rect.bottom - rect.top);
}

bool Win32FormWindow::IsMinimised() const {
    return IsIconic(window_) != FALSE;
}

bool Win32FormWindow::IsVisible() const {
    return IsWindowVisible(window_) != FALSE;
}

void Win32FormWindow::Show() {
    ShowWindow(window_, SW_SHOW);
}

void Win32FormWindow::Hide() {
    ShowWindow(window_, SW_HIDE);
}

void Win32FormWindow::Minimise() {
    ShowWindow(window_, SW_MINIMIZE);
}

}  // namespace wakelatch::win32ui
