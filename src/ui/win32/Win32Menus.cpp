#include "ui/win32/Win32Menus.h"

#include "platform/windows/Utf.h"

namespace wakelatch::win32ui {

std::string MenuItemText(HMENU menu, UINT item, bool byPosition) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    if (GetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info) == FALSE) {
        return {};
    }
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (GetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info) == FALSE) {
        return {};
    }
    text.resize(info.cch);
    return platform::utf::Narrow(text);
}

void SetMenuItemText(HMENU menu, UINT item, bool byPosition, const std::string& text) {
    std::wstring wide = platform::utf::Widen(text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = wide.data();
    SetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info);
}

void Win32MenuTitle::SetText(const std::string& text) {
    SetMenuItemText(GetMenu(owner_), position_, true, text);
    DrawMenuBar(owner_);
}

std::string Win32MenuTitle::Text() const {
    return MenuItemText(GetMenu(owner_), position_, true);
}

// The tray menu's entries go with their window when it unloads; what is left of them then is nothing.
void Win32MenuEntry::SetText(const std::string& text) {
    if (IsMenu(menu_) == FALSE) {
        return;
    }
    SetMenuItemText(menu_, command_, false, text);
    if (owner_ != nullptr) {
        DrawMenuBar(owner_);
    }
}

std::string Win32MenuEntry::Text() const {
    return IsMenu(menu_) != FALSE ? MenuItemText(menu_, command_, false) : std::string();
}

void Win32MenuEntry::SetChecked(bool checked) {
    if (IsMenu(menu_) != FALSE) {
        CheckMenuItem(menu_, command_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

bool Win32MenuEntry::Checked() const {
    return IsMenu(menu_) != FALSE && (GetMenuState(menu_, command_, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void Win32PopupMenu::PopupAtCursor() {
    POINT cursor{};
    GetCursorPos(&cursor);
    // A menu of a window that is not in front would stay open after a click elsewhere; the null
    // message afterwards lets a second opening work.
    SetForegroundWindow(owner_);
    TrackPopupMenuEx(menu_, TPM_RIGHTBUTTON, cursor.x, cursor.y, owner_, nullptr);
    PostMessageW(owner_, WM_NULL, 0, 0);
}

}  // namespace wakelatch::win32ui
