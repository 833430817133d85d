#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/windows/Win32.h"
#include "ui/tray/frm_TrayMenu.h"
#include "ui/win32/Win32Menus.h"
#include "ui/win32/Win32Texts.h"

namespace wakelatch::win32ui {

// frm_TrayMenu's window: never shown, it owns the pop-up menu menuTray with its documented entries and
// design captions, and receives the tray icon's mouse events (the callback message 0x200, the event kind
// in the low word of lParam). Its title is the application title, by which a second copy of the program
// finds this one (the main window's title carries the version).
class TrayMenuView final {
  public:
    static constexpr const wchar_t* kTitle = L"Wakelatch";

    TrayMenuView();
    ~TrayMenuView();
    TrayMenuView(const TrayMenuView&) = delete;
    TrayMenuView& operator=(const TrayMenuView&) = delete;

    HWND Hwnd() const { return hwnd_; }
    // The pop-up menu (for tests).
    HMENU Menu() const { return popup_; }
    // A documented entry's command id; 0 for none.
    UINT CommandOf(const std::string& name) const;

    frm_TrayMenu::Controls Controls();
    // The entries whose captions the main window sets, by name.
    void AddCaptionTargets(Win32CaptionTargets& targets);
    // The icon's mouse events and the menu's choices go to the window's handlers.
    void Connect(frm_TrayMenu& form);

    // Sees every message of the window first; a value is the message's result and ends its handling.
    using MessageHook = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;
    void SetMessageHook(MessageHook hook) { hook_ = std::move(hook); }

  private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void AddEntry(const char* name, const wchar_t* designCaption);

    HWND hwnd_ = nullptr;
    HMENU bar_ = nullptr;    // menuTray, design caption "&Datei": never shown itself
    HMENU popup_ = nullptr;  // its entries: the pop-up menu
    std::map<std::string, UINT, std::less<>> commands_;
    std::map<std::string, std::unique_ptr<Win32MenuEntry>, std::less<>> entries_;
    std::unique_ptr<Win32PopupMenu> menuTray_;
    std::map<UINT, std::function<void()>> handlers_;
    std::function<void(int)> mouseHandler_;
    MessageHook hook_;
};

}  // namespace wakelatch::win32ui
