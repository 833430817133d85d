#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/Win32.h"
#include "ui/shaped/ArtPlaces.h"
#include "ui/win32/Dpi.h"

// sml_GIF_TO_FRM on Win32: windows cut to the outline of a picture and moved by dragging them.
namespace wakelatch::win32ui {

// The window's region from the picture selected into `picture` (pixels of its top-left colour cut away),
// or null when no pixel differs from that colour.
HRGN MakeRegionFromPicture(HDC picture, int width, int height);

// Starts moving the window by the mouse as if its title bar had been grabbed; only while the left button
// is held (a press of another button never moves it).
void DragForm(HWND window);

// Centres a top-level window in the primary screen's work area.
void CentreOnScreen(HWND window);

// A top-level window without frame or title bar that shows a picture as its background, is cut to the
// picture's outline and carries labels drawn transparently on the picture. Unless told otherwise it is
// moved by a left-button press on its background or on its labels (labels let the mouse through).
class ShapedWindow final {
  public:
    // Sees every message first; a value is the message's result and ends its handling.
    using MessageHook = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

    ShapedWindow(const wchar_t* className, const std::string& caption, DWORD exStyle, HWND owner);
    ~ShapedWindow();
    ShapedWindow(const ShapedWindow&) = delete;
    ShapedWindow& operator=(const ShapedWindow&) = delete;

    HWND Hwnd() const { return hwnd_; }
    // False when the file cannot be loaded as a bitmap (the window then keeps its size and shape).
    bool ShapeFormFromBitmap(const std::string& path);
    void SetDraggable(bool draggable) { draggable_ = draggable; }
    void SetMessageHook(MessageHook hook) { hook_ = std::move(hook); }

    // A font of the window (kept as long as it): the dialog font, or `face`, at a point size.
    HFONT Font(int points, bool bold = false, const wchar_t* face = nullptr);
    HWND AddLabel(const char* name, const std::string& text, const art::place::Rect& place, HFONT font,
                  std::uint32_t colour, DWORD style = SS_LEFT);
    HWND AddButton(const char* name, int id, const std::string& text, const art::place::Rect& place,
                   HFONT font, DWORD style = BS_PUSHBUTTON);
    HWND ControlNamed(std::string_view name) const;

  private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND AddControl(const char* name, const wchar_t* windowClass, const std::string& text, DWORD style,
                    const art::place::Rect& place, HFONT font, int id);
    LRESULT ControlBackground(HDC dc, HWND control);
    void ReleasePicture();

    HWND hwnd_ = nullptr;
    HDC picture_ = nullptr;  // the invisible picture holder: a memory DC with the bitmap selected
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    HBRUSH background_ = nullptr;  // the picture as a brush, for the controls' backgrounds
    SIZE size_{};
    bool draggable_ = true;
    MessageHook hook_;
    std::vector<std::pair<std::string, HWND>> controls_;
    std::map<HWND, COLORREF> textColours_;
    std::vector<std::unique_ptr<UniqueFont>> fonts_;
};

}  // namespace wakelatch::win32ui
