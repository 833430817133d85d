#include "ui/win32/Dpi.h"

#include "ui/main/Placement.h"

namespace wakelatch::win32ui {
namespace {

// Both calls exist from Windows 10 1607 on (and not in every Wine); looked up once.
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiCall = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

template <typename Call>
Call User32Call(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 != nullptr ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                             : nullptr;
}

UINT ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace

UINT DpiOf(HWND window) {
    static const auto getDpiForWindow = User32Call<GetDpiForWindowCall>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    return ScreenDpi();
}

double TwipsPerPixelOf(HWND window) {
    return placement::TwipsPerPixel(static_cast<double>(DpiOf(window)));
}

int Scaled(int pixelsAt96, UINT dpi) {
    return MulDiv(pixelsAt96, static_cast<int>(dpi), 96);
}

void UniqueFont::Reset(HFONT font) {
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    font_ = font;
}

HFONT CreateMessageFont(UINT dpi, int pointSize) {
    static const auto forDpi = User32Call<SystemParametersInfoForDpiCall>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW& font = metrics.lfMessageFont;
    if (forDpi != nullptr && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi) != FALSE) {
        // Already at that DPI.
    } else if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != FALSE) {
        font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
    } else {
        font = LOGFONTW{};
        font.lfHeight = -MulDiv(8, static_cast<int>(dpi), 72);
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    }
    if (pointSize > 0) {
        font.lfHeight = -MulDiv(pointSize, static_cast<int>(dpi), 72);
    }
    return CreateFontIndirectW(&font);
}

int SmallIconSize(UINT dpi) {
    static const auto forDpi = User32Call<GetSystemMetricsForDpiCall>("GetSystemMetricsForDpi");
    // Without the call: the size Windows has at 96 DPI, scaled.
    const int size = forDpi != nullptr ? forDpi(SM_CXSMICON, dpi) : 0;
    return size > 0 ? size : Scaled(16, dpi);
}

}  // namespace wakelatch::win32ui
