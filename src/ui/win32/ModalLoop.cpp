#include "ui/win32/ModalLoop.h"

namespace wakelatch::win32ui {
namespace {

struct Collect {
    HWND modal;
    std::vector<HWND>* windows;
};

BOOL CALLBACK DisableTopLevel(HWND window, LPARAM collect) {
    const auto& into = *reinterpret_cast<const Collect*>(collect);
    if (window != into.modal && IsWindowEnabled(window) != FALSE) {
        EnableWindow(window, FALSE);
        into.windows->push_back(window);
    }
    return TRUE;
}

}  // namespace

DisabledWindows::DisabledWindows(HWND modal, HWND owner) {
    if (owner != nullptr) {
        if (IsWindowEnabled(owner) != FALSE) {
            EnableWindow(owner, FALSE);
            windows_.push_back(owner);
        }
        return;
    }
    Collect collect{modal, &windows_};
    EnumThreadWindows(GetCurrentThreadId(), DisableTopLevel, reinterpret_cast<LPARAM>(&collect));
}

void DisabledWindows::End() {
    for (const HWND window : windows_) {
        if (IsWindow(window) != FALSE) {
            EnableWindow(window, TRUE);
        }
    }
    windows_.clear();
}

void RunModalLoop(HWND window, const std::function<bool()>& closed) {
    MSG message{};
    while (!closed()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));
            }
            return;
        }
        if (IsWindow(window) != FALSE && IsDialogMessageW(window, &message) != FALSE) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace wakelatch::win32ui
