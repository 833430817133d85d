#include "ui/win32/Win32CheckList.h"

#include "ui/win32/CommonControls.h"

#include <algorithm>

#include "platform/windows/Utf.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Tooltip.h"

namespace wakelatch::win32ui {
namespace {

constexpr int kMarginAt96 = 2;
constexpr int kGapAt96 = 4;
constexpr int kMarkAt96 = 16;
constexpr WORD kWarningIcon = 32515;  // IDI_WARNING, by number: the macro is the A form
constexpr int kTipWidthAt96 = 400;    // hints of several lines break at their '\n' within this width
constexpr UINT_PTR kTipTool = 1;

// The tool of the list's tooltip, in the older structure's size that every version of the common controls
// takes.
TTTOOLINFOW TipTool(HWND list, wchar_t* text) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = list;
    info.uId = kTipTool;
    info.lpszText = text;
    return info;
}

}  // namespace

std::wstring DisplayText(const std::string& rowText) {
    std::wstring text = platform::utf::Widen(rowText);
    std::replace(text.begin(), text.end(), L'\t', L' ');
    return text;
}

Win32CheckList::Win32CheckList(HWND list, TwipsRect container)
    : list_(list), tip_(CreateTooltip(list)), container_(container) {
    SetWindowSubclass(list_, Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
    // The tool starts with no area: it covers a row only while the mouse is over one with a hint.
    wchar_t empty[] = L"";
    TTTOOLINFOW tool = TipTool(list_, empty);
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, Scaled(kTipWidthAt96, DpiOf(list_)));
}

Win32CheckList::~Win32CheckList() {
    RemoveWindowSubclass(list_, Subclass, 1);
    if (IsWindow(tip_) != FALSE) {
        DestroyWindow(tip_);
    }
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
    if (SendMessageW(list_, LB_SETITEMDATA, static_cast<WPARAM>(row), checked ? 1 : 0) != LB_ERR) {
        InvalidateRow(row);
    }
}

void Win32CheckList::InvalidateRow(int row) {
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
        hints_.insert(hints_.begin() + std::min(static_cast<std::ptrdiff_t>(row), std::ssize(hints_)),
                      RowHint{});
    }
}

void Win32CheckList::Clear() {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    hints_.clear();
    tipRow_ = -1;
    UpdateTip();
}

void Win32CheckList::SetRowHint(int row, const std::string& hint, bool missed) {
    if (row < 0 || row >= std::ssize(hints_)) {
        return;
    }
    RowHint& target = hints_[static_cast<std::size_t>(row)];
    target.text = platform::utf::Widen(hint);
    if (target.missed != missed) {
        target.missed = missed;
        InvalidateRow(row);
    }
    if (row == tipRow_) {
        UpdateTip();
    }
}

bool Win32CheckList::ShowsMark(int row) const {
    return row >= 0 && row < std::ssize(hints_) && hints_[static_cast<std::size_t>(row)].missed &&
           Checked(row);
}

void Win32CheckList::FollowMouse(LPARAM point) {
    const LRESULT hit = SendMessageW(list_, LB_ITEMFROMPOINT, 0, point);
    const int row = HIWORD(hit) == 0 ? static_cast<int>(LOWORD(hit)) : -1;
    if (row != tipRow_) {
        // Another row is another tip: the old one goes, the new one shows after the usual delay.
        SendMessageW(tip_, TTM_POP, 0, 0);
        tipRow_ = row;
        UpdateTip();
    }
}

// The tool covers the row under the mouse and carries its hint; with no such row or an empty hint it
// covers nothing, so nothing shows.
void Win32CheckList::UpdateTip() {
    std::wstring text = tipRow_ >= 0 && tipRow_ < std::ssize(hints_)
                            ? hints_[static_cast<std::size_t>(tipRow_)].text
                            : std::wstring();
    TTTOOLINFOW tool = TipTool(list_, text.data());
    if (text.empty() || SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(tipRow_),
                                     reinterpret_cast<LPARAM>(&tool.rect)) == LB_ERR) {
        tool.rect = {};
        SendMessageW(tip_, TTM_POP, 0, 0);
    }
    SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
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
    if (ShowsMark(row)) {
        // The system's icon at the size asked for (LR_SHARED: the system keeps it, nothing to free).
        const int side =
            std::max(8, std::min(Scaled(kMarkAt96, dpi), static_cast<int>(rect.bottom - rect.top) - margin));
        const auto icon = static_cast<HICON>(
            LoadImageW(nullptr, MAKEINTRESOURCEW(kWarningIcon), IMAGE_ICON, side, side, LR_SHARED));
        DrawIconEx(dc, rect.right - margin - side, rect.top + (rect.bottom - rect.top - side) / 2, icon, side,
                   side, 0, nullptr, DI_NORMAL);
    }
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
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        if (message == WM_MOUSEMOVE) {
            FollowMouse(lParam);
        }
        // The tooltip learns of the mouse after its tool was set to the row under it.
        MSG relayed{list_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
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
