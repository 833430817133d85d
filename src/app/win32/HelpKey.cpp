#include "app/win32/HelpKey.h"

namespace wakelatch::win32app {
namespace {

thread_local HelpKey* current = nullptr;

}  // namespace

HelpKey::HelpKey(std::function<HWND()> mainWindow, std::function<void()> pressed)
    : mainWindow_(std::move(mainWindow)), pressed_(std::move(pressed)) {
    current = this;
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, OnMessage, nullptr, GetCurrentThreadId());
}

HelpKey::~HelpKey() {
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
    }
    current = nullptr;
}

LRESULT CALLBACK HelpKey::OnMessage(int code, WPARAM wParam, LPARAM lParam) {
    auto& message = *reinterpret_cast<MSG*>(lParam);
    // Only a message taken from the queue (not one peeked at), and only the first press, not repeats.
    const bool firstPress =
        message.message == WM_KEYDOWN && message.wParam == VK_F1 && (message.lParam & (1L << 30)) == 0;
    if (code == HC_ACTION && wParam == PM_REMOVE && firstPress && current != nullptr) {
        const HWND main = current->mainWindow_ ? current->mainWindow_() : nullptr;
        if (main == nullptr || GetAncestor(message.hwnd, GA_ROOT) != main) {
            message.message = WM_NULL;  // handled here: no WM_HELP besides
            if (current->pressed_) {
                current->pressed_();
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace wakelatch::win32app
