#include "ui/win32/Win32CheckList.h"

#include "ui/win32/CommonControls.h"

#include <algorithm>

#include "platform/windows/Utf.h"
#include "ui/win32/Dpi.h"

namespace wakelatch::win32ui {
namespace {

constexpr int kMarginAt96 = 2;
constexpr int kGapAt96 = 4;

}  // namespace

std::wstring DisplayText(const std::string& rowText) {
    std::wstring text = platform::utf::Widen(rowText);
    std::replace(text.begin(), text.end(), L'\t', L' ');
    return text;
}

Win32CheckList::Win32CheckList(HWND list, TwipsRect container) : list_(list), container_(container) {
    SetWindowSubclass(list_, Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

Win32CheckList::~Win32CheckList() {
    RemoveWindowSubclass(list_, Subclass, 1);
}

int Win32CheckList::Count() const {
    return static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
}

std::string Win32CheckList::Text(int row) const {
    const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()))));
    return platform::utf::Narrow(text);
}

bool Win32CheckList::Checked(int row) const {
    const LRESULT data = SendMessageW(list_, LB_GETITEMDATA, static_cast<WPARAM>(row), 0);
    return data != LB_ERR && data != 0;
}

void Win32CheckList::SetChecked(int row, bool checked) {
    if (SendMessageW(list_, LB_SETITEMDATA, static_cast<WPARAM>(row), checked ? 1 : 0) == LB_ERR) {
        return;
    }
    RECT rect{};
    if (SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)) !=
        LB_ERR) {
        InvalidateRect(list_, &rect, FALSE);
    }
}

void Win32CheckList::AddItem(const std::string& text) {
    const std::wstring wide = platform::utf::Widen(text);
    const LRESULT row = SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (row >= 0) {
        SendMessageW(list_, LB_SETITEMDATA, static_cast<WPARAM>(row), 0);
    }
}

void Win32CheckList::Clear() {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
}

int Win32CheckList::ListIndex() const {
    return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
}

void Win32CheckList::SetListIndex(int row) {
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void Win32CheckList::SetVisible(bool visible) {
    ShowWindow(list_, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32CheckList::SetEnabled(bool enabled) {
    EnableWindow(list_, enabled ? TRUE : FALSE);
}

void Win32CheckList::Move(float left, float top) {
    const double twipsPerPixel = TwipsPerPixelOf(list_);
    const TwipsRect place = InFrame(container_, {static_cast<int>(left), static_cast<int>(top), 0, 0});
    const placement::PixelRect pixels = ToPixels(place, twipsPerPixel);
    SetWindowPos(list_, nullptr, pixels.x, pixels.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

float Win32CheckList::Width() const {
    RECT rect{};
    GetWindowRect(list_, &rect);
    return placement::PixelsToTwips(rect.right - rect.left, TwipsPerPixelOf(list_));
}

void Win32CheckList::Refresh() {
    RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

int Win32CheckList::ItemHeight() const {
    const LRESULT height = SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0);
    return height > 0 ? static_cast<int>(height) : 16;
}

int Win32CheckList::BoxRight() const {
    const UINT dpi = DpiOf(list_);
    return Scaled(kMarginAt96, dpi) + std::max(ItemHeight() - Scaled(2 * kMarginAt96, dpi), 8);
}

void Win32CheckList::UpdateItemHeight() {
    const HDC dc = GetDC(list_);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list_, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(list_, dc);
    const int height = metrics.tmHeight + Scaled(2 * kMarginAt96, DpiOf(list_));
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, height);
}

void Win32CheckList::Draw(const DRAWITEMSTRUCT& item) const {
    const HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1)) {
        if ((item.itemState & ODS_FOCUS) != 0) {
            DrawFocusRect(dc, &rect);
        }
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0 || IsWindowEnabled(list_) == FALSE;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int row = static_cast<int>(item.itemID);
    const UINT dpi = DpiOf(list_);
    const int margin = Scaled(kMarginAt96, dpi);
    const int boxSide = BoxRight() - margin;
    const int boxTop = rect.top + (rect.bottom - rect.top - boxSide) / 2;
    RECT box{rect.left + margin, boxTop, rect.left + margin + boxSide, boxTop + boxSide};
    DrawFrameControl(dc, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (Checked(row) ? DFCS_CHECKED : 0U) | (disabled ? DFCS_INACTIVE : 0U));

    RECT textRect = rect;
    textRect.left = box.right + Scaled(kGapAt96, dpi);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled   ? COLOR_GRAYTEXT
                                 : selected ? COLOR_HIGHLIGHTTEXT
                                            : COLOR_WINDOWTEXT));
    const std::wstring text = DisplayText(Text(row));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &rect);
    }
}

void Win32CheckList::ToggleByUser(int row) {
    if (row < 0 || row >= Count()) {
        return;
    }
    SetChecked(row, !Checked(row));
    if (userTick_) {
        userTick_(row);
    }
}

LRESULT CALLBACK Win32CheckList::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
    auto* list = reinterpret_cast<Win32CheckList*>(self);
    return list->list_ == window ? list->Handle(message, wParam, lParam)
                                 : DefSubclassProc(window, message, wParam, lParam);
}

LRESULT Win32CheckList::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            // The list box selects the row first; a click on the box then also flips its tick (a quick
            // second click arrives as a double-click and flips it back).
            const LRESULT result = DefSubclassProc(list_, message, wParam, lParam);
            const LRESULT hit = SendMessageW(list_, LB_ITEMFROMPOINT, 0, lParam);
            const int x = static_cast<short>(LOWORD(lParam));
            if (HIWORD(hit) == 0 && x < BoxRight()) {
                ToggleByUser(static_cast<int>(LOWORD(hit)));
            }
            return result;
        }
        case WM_CHAR:
            if (wParam == L' ') {
                ToggleByUser(static_cast<int>(SendMessageW(list_, LB_GETCARETINDEX, 0, 0)));
                return 0;
            }
            break;
        case WM_KILLFOCUS: {
            const auto next = reinterpret_cast<HWND>(wParam);
            const HWND window = GetAncestor(list_, GA_ROOT);
            if (lostFocus_ && next != nullptr && next != list_ && GetAncestor(next, GA_ROOT) == window) {
                lostFocus_();
            }
            break;
        }
        default:
            break;
    }
    return DefSubclassProc(list_, message, wParam, lParam);
}

}  // namespace wakelatch::win32ui
