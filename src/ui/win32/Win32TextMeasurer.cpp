#include "ui/win32/Win32TextMeasurer.h"

#include "ui/main/Placement.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Win32CheckList.h"

namespace wakelatch::win32ui {
namespace {

int PixelWidth(HWND window, HFONT font, const std::wstring& text) {
    const HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

}  // namespace

int Win32TextMeasurer::WidthTwips(const std::string& text) const {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
    const UINT dpi = DpiOf(window_);
    if (font != font_ || dpi != dpi_) {
        font_ = font;
        dpi_ = dpi;
        lastPixels_ = -1;
        blankPixels_ = PixelWidth(window_, font_, L" ");
    }
    const bool blanksAdded = lastPixels_ >= 0 && text.size() > lastText_.size() &&
                             text.compare(0, lastText_.size(), lastText_) == 0 &&
                             text.find_first_not_of(' ', lastText_.size()) == std::string::npos;
    int pixels = lastPixels_;
    if (blanksAdded) {
        pixels += static_cast<int>(text.size() - lastText_.size()) * blankPixels_;
    } else if (lastPixels_ < 0 || text != lastText_) {
        pixels = PixelWidth(window_, font_, DisplayText(text));
    }
    lastText_ = text;
    lastPixels_ = pixels;
    return static_cast<int>(placement::PixelsToTwips(pixels, placement::TwipsPerPixel(dpi)));
}

}  // namespace wakelatch::win32ui
