#pragma once

#include "platform/windows/Win32.h"

namespace wakelatch::win32ui {

// Registers a window class of this module once; later calls with the same name do nothing.
void RegisterViewClass(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr);

// The window procedure of a view class: the view object is CreateWindowExW's creation parameter. It
// learns its window at WM_NCCREATE and gets every message from then on, WM_NCDESTROY the last.
template <typename View, HWND View::*window, LRESULT (View::*handle)(UINT, WPARAM, LPARAM)>
LRESULT CALLBACK ViewProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* view = static_cast<View*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        view->*window = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    auto* view = reinterpret_cast<View*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (view == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    const LRESULT result = (view->*handle)(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return result;
}

}  // namespace wakelatch::win32ui
