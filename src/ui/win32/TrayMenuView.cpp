#include "ui/win32/TrayMenuView.h"

#include <utility>

#include "ui/tray/TrayIcon.h"
#include "ui/win32/ViewWindow.h"

namespace wakelatch::win32ui {
namespace {

constexpr wchar_t kClassName[] = L"Wakelatch.frm_TrayMenu";
constexpr UINT kFirstCommand = 301;

}  // namespace

TrayMenuView::TrayMenuView() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterViewClass(kClassName, ViewProcedure<TrayMenuView, &TrayMenuView::hwnd_, &TrayMenuView::Handle>);
    // A top-level window, not a message-only one: Explorer's "TaskbarCreated" is broadcast to top-level
    // windows only. Tool window: it never appears in the taskbar, even if something showed it.
    CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, kTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                    this);

    bar_ = CreateMenu();
    popup_ = CreatePopupMenu();
    AppendMenuW(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup_), L"&Datei");
    AddEntry("mnuStop", L"&Anhalten");
    AddEntry("mnuMax", L"&Maximieren");
    AppendMenuW(popup_, MF_SEPARATOR, 0, nullptr);  // mnuLine1
    AddEntry("mnuAuto", L"Auto start Wake&latch");
    AddEntry("mnuTrayStart", L"Start Wakelatch &DeziReroz");
    AppendMenuW(popup_, MF_SEPARATOR, 0, nullptr);  // mnuLine2
    AddEntry("mnuInfo", L"In&fo Wakelatch...");
    AppendMenuW(popup_, MF_SEPARATOR, 0, nullptr);  // mnuLine3
    AddEntry("mnuExit", L"Beenden &WakeLatch");
    menuTray_ = std::make_unique<Win32PopupMenu>(hwnd_, popup_);
}

TrayMenuView::~TrayMenuView() {
    if (hwnd_ != nullptr && IsWindow(hwnd_) != FALSE) {
        DestroyWindow(hwnd_);
    }
    DestroyMenu(bar_);  // and the pop-up menu with it
}

void TrayMenuView::AddEntry(const char* name, const wchar_t* designCaption) {
    const UINT command = kFirstCommand + static_cast<UINT>(commands_.size());
    AppendMenuW(popup_, MF_STRING, command, designCaption);
    commands_[name] = command;
    entries_[name] = std::make_unique<Win32MenuEntry>(popup_, command);
}

UINT TrayMenuView::CommandOf(const std::string& name) const {
    const auto it = commands_.find(name);
    return it != commands_.end() ? it->second : 0;
}

frm_TrayMenu::Controls TrayMenuView::Controls() {
    return {*entries_.at("mnuStop"),
            *entries_.at("mnuMax"),
            *entries_.at("mnuAuto"),
            *entries_.at("mnuTrayStart"),
            *entries_.at("mnuInfo"),
            *entries_.at("mnuExit"),
            *menuTray_};
}

void TrayMenuView::AddCaptionTargets(Win32CaptionTargets& targets) {
    for (const auto& [name, command] : commands_) {
        targets.Add(name, std::make_unique<Win32MenuEntry>(popup_, command));
    }
}

void TrayMenuView::Connect(frm_TrayMenu& form) {
    for (const auto& [name, handler] : frm_TrayMenu::kEntryHandlers) {
        handlers_[CommandOf(name)] = [&form, handler = handler] { (form.*handler)(); };
    }
    mouseHandler_ = [&form](int eventKind) { form.Form_MouseMove(eventKind); };
}

LRESULT TrayMenuView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    // Copied: the hook may end the program, and this window with it.
    if (const MessageHook hook = hook_) {
        if (const std::optional<LRESULT> result = hook(message, wParam, lParam)) {
            return *result;
        }
    }
    switch (message) {
        case tray::kMouseMoveMessage:
            // The window is never shown, so every mouse move it gets is the icon's callback.
            if (mouseHandler_) {
                mouseHandler_(LOWORD(lParam));
            }
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == 0 && lParam == 0) {
                // Copied: a handler may unload this window (Exit).
                if (const auto it = handlers_.find(LOWORD(wParam)); it != handlers_.end()) {
                    const std::function<void()> handler = it->second;
                    handler();
                }
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace wakelatch::win32ui
