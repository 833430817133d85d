#pragma once

#include "controls/Controls.h"
#include "platform/windows/Win32.h"

// Menus: captions keep their '&' accelerators as given.
namespace wakelatch::win32ui {

// The text of a menu item, by command id or (by_position) by position.
std::string MenuItemText(HMENU menu, UINT item, bool byPosition);
void SetMenuItemText(HMENU menu, UINT item, bool byPosition, const std::string& text);

// A menu of a menu bar: its caption is the bar's item at that position.
class Win32MenuTitle final : public controls::Captioned {
  public:
    Win32MenuTitle(HWND owner, UINT position) : owner_(owner), position_(position) {}
    void SetText(const std::string& text) override;
    std::string Text() const override;

  private:
    HWND owner_;
    UINT position_;
};

// An entry of a menu, by its command id. The owner, where given, has the menu in its bar and redraws it.
class Win32MenuEntry final : public controls::MenuEntry {
  public:
    Win32MenuEntry(HMENU menu, UINT command, HWND owner = nullptr)
        : menu_(menu), command_(command), owner_(owner) {}
    void SetText(const std::string& text) override;
    std::string Text() const override;
    void SetChecked(bool checked) override;
    bool Checked() const override;

  private:
    HMENU menu_;
    UINT command_;
    HWND owner_;
};

// A pop-up menu shown where the mouse is; its choice arrives at the owner as WM_COMMAND.
class Win32PopupMenu final : public controls::PopupMenu {
  public:
    Win32PopupMenu(HWND owner, HMENU menu) : owner_(owner), menu_(menu) {}
    void PopupAtCursor() override;

  private:
    HWND owner_;
    HMENU menu_;
};

}  // namespace wakelatch::win32ui
