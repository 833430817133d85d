#pragma once

#include "platform/windows/Win32.h"

namespace wakelatch::win32ui {

// Registers a window class once per process (a second call finds it registered).
inline void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(instance, name, &windowClass) != FALSE) {
        return;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

// The window procedure of a window made for an object (passed as CreateWindowExW's last argument): the
// object learns its window at WM_NCCREATE into `Window` and handles every message from then on in
// `Handle(message, wParam, lParam)`; it clears GWLP_USERDATA itself at WM_NCDESTROY.
template <typename Object, HWND Object::*Window>
LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* object = static_cast<Object*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        object->*Window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
    auto* object = reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return object != nullptr ? object->Handle(message, wParam, lParam)
                             : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace wakelatch::win32ui
