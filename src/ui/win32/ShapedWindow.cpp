#include "ui/win32/ShapedWindow.h"

#include <algorithm>
#include <memory>

#include "platform/windows/Utf.h"
#include "ui/shaped/Region.h"
#include "ui/win32/ViewWindow.h"

namespace wakelatch::win32ui {
namespace {

// The picture holder's pixels, read one by one with GetPixel, as 0xRRGGBB.
class DcPicture final : public sml_GIF_TO_FRM::Picture {
  public:
    DcPicture(HDC dc, int width, int height) : dc_(dc), width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    std::uint32_t Pixel(int x, int y) const override {
        const COLORREF colour = GetPixel(dc_, x, y);
        return (static_cast<std::uint32_t>(GetRValue(colour)) << 16U) |
               (static_cast<std::uint32_t>(GetGValue(colour)) << 8U) | GetBValue(colour);
    }

  private:
    HDC dc_;
    int width_;
    int height_;
};

COLORREF ToColorRef(std::uint32_t rgb) {
    return RGB((rgb >> 16U) & 0xFFU, (rgb >> 8U) & 0xFFU, rgb & 0xFFU);
}

HMENU AsMenuId(int id) {
    return reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
}

}  // namespace

HRGN MakeRegionFromPicture(HDC picture, int width, int height) {
    HRGN region = nullptr;
    for (const sml_GIF_TO_FRM::Rect& run :
         sml_GIF_TO_FRM::MakeRegionFromPicture(DcPicture(picture, width, height))) {
        const HRGN rect = CreateRectRgn(run.left, run.top, run.right, run.bottom);
        if (region == nullptr) {
            region = rect;
            continue;
        }
        CombineRgn(region, region, rect, RGN_OR);
        DeleteObject(rect);
    }
    return region;
}

void DragForm(HWND window) {
    if ((GetKeyState(VK_LBUTTON) & 0x8000) == 0) {
        return;
    }
    ReleaseCapture();
    // Where the press was: the move follows the pointer from there.
    const DWORD pressedAt = GetMessagePos();
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(pressedAt));
}

void CentreOnScreen(HWND window) {
    MONITORINFO screen{};
    screen.cbSize = sizeof(screen);
    RECT rect{};
    if (GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &screen) == FALSE ||
        GetWindowRect(window, &rect) == FALSE) {
        return;
    }
    const RECT& area = screen.rcWork;
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ShapedWindow::ShapedWindow(const wchar_t* className, const std::string& caption, DWORD exStyle, HWND owner) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterViewClass(className, ViewProcedure<ShapedWindow, &ShapedWindow::hwnd_, &ShapedWindow::Handle>);
    CreateWindowExW(exStyle, className, platform::utf::Widen(caption).c_str(), WS_POPUP | WS_CLIPCHILDREN, 0,
                    0, 100, 100, owner, nullptr, instance, this);
}

ShapedWindow::~ShapedWindow() {
    if (hwnd_ != nullptr && IsWindow(hwnd_) != FALSE) {
        DestroyWindow(hwnd_);
    }
    ReleasePicture();
}

void ShapedWindow::ReleasePicture() {
    if (picture_ != nullptr) {
        SelectObject(picture_, previousBitmap_);
        DeleteDC(picture_);
        picture_ = nullptr;
    }
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(bitmap_), static_cast<HGDIOBJ>(background_)}) {
        if (object != nullptr) {
            DeleteObject(object);
        }
    }
    bitmap_ = nullptr;
    background_ = nullptr;
}

bool ShapedWindow::ShapeFormFromBitmap(const std::string& path) {
    const auto bitmap =
        static_cast<HBITMAP>(LoadImageW(nullptr, platform::utf::Widen(path).c_str(), IMAGE_BITMAP, 0, 0,
                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (bitmap == nullptr || hwnd_ == nullptr) {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
        return false;
    }
    ReleasePicture();
    bitmap_ = bitmap;
    BITMAP info{};
    GetObjectW(bitmap_, sizeof(info), &info);
    size_ = {info.bmWidth, std::abs(info.bmHeight)};
    picture_ = CreateCompatibleDC(nullptr);
    previousBitmap_ = SelectObject(picture_, bitmap_);
    background_ = CreatePatternBrush(bitmap_);

    SetWindowPos(hwnd_, nullptr, 0, 0, size_.cx, size_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Null (nothing to cut) removes any region: the window stays a plain rectangle showing the picture.
    // The window owns the region from here on.
    SetWindowRgn(hwnd_, MakeRegionFromPicture(picture_, size_.cx, size_.cy), TRUE);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return true;
}

HFONT ShapedWindow::Font(int points, bool bold, const wchar_t* face) {
    // The pictures are laid out in pixels at 96 DPI, and so are the fonts on them.
    const UniqueFont base(CreateMessageFont(96, points));
    LOGFONTW font{};
    GetObjectW(base.Get(), sizeof(font), &font);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfQuality = CLEARTYPE_QUALITY;
    if (face != nullptr) {
        lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    }
    fonts_.push_back(std::make_unique<UniqueFont>(CreateFontIndirectW(&font)));
    return fonts_.back()->Get();
}

HWND ShapedWindow::AddControl(const char* name, const wchar_t* windowClass, const std::string& text,
                              DWORD style, const art::place::Rect& place, HFONT font, int id) {
    const HWND control = CreateWindowExW(
        0, windowClass, platform::utf::Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, place.x, place.y,
        place.width, place.height, hwnd_, AsMenuId(id), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    controls_.emplace_back(name, control);
    return control;
}

// Without SS_NOTIFY a label lets the mouse through to the window, which starts the move.
HWND ShapedWindow::AddLabel(const char* name, const std::string& text, const art::place::Rect& place,
                            HFONT font, std::uint32_t colour, DWORD style) {
    const HWND label = AddControl(name, L"STATIC", text, SS_NOPREFIX | style, place, font, 0);
    textColours_[label] = ToColorRef(colour);
    return label;
}

HWND ShapedWindow::AddButton(const char* name, int id, const std::string& text, const art::place::Rect& place,
                             HFONT font, DWORD style) {
    return AddControl(name, L"BUTTON", text, WS_TABSTOP | style, place, font, id);
}

HWND ShapedWindow::ControlNamed(std::string_view name) const {
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [name](const auto& control) { return control.first == name; });
    return it != controls_.end() ? it->second : nullptr;
}

// A control's background is the part of the picture it covers: the picture as a brush, its origin moved
// to the window's corner. Text changes repaint cleanly, without the window behind redrawing first.
LRESULT ShapedWindow::ControlBackground(HDC dc, HWND control) {
    if (background_ == nullptr) {
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    POINT corner{0, 0};
    MapWindowPoints(control, hwnd_, &corner, 1);
    SetBrushOrgEx(dc, -corner.x, -corner.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    if (const auto colour = textColours_.find(control); colour != textColours_.end()) {
        SetTextColor(dc, colour->second);
    }
    return reinterpret_cast<LRESULT>(background_);
}

LRESULT ShapedWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = hwnd_;
    if (hook_) {
        if (const std::optional<LRESULT> result = hook_(message, wParam, lParam)) {
            return *result;
        }
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT draws the whole picture
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(hwnd_, &paint);
            if (picture_ != nullptr) {
                BitBlt(dc, 0, 0, size_.cx, size_.cy, picture_, 0, 0, SRCCOPY);
            } else {
                FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
            }
            EndPaint(hwnd_, &paint);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ControlBackground(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_LBUTTONDOWN:
            if (draggable_) {
                DragForm(hwnd_);
            }
            return 0;
        case WM_NCDESTROY:
            hwnd_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace wakelatch::win32ui
