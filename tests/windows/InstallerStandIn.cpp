// Test fixture, never shipped: stands in for Wakelatch.exe in the installer test. Like the program it has a
// main window titled "Wakelatch Version 1.0.0" (hidden, as in the tray), and when that window is closed it
// writes its autostart entry, as the program does at exit with "start with Windows" chosen. Once its window
// exists it makes the file "standin-ready" beside itself, for the test to wait on.
#include <string>

#include "platform/windows/Win32.h"

namespace {

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

void WriteAutostartEntry() {
    const std::wstring command = L"\"" + ProgramPath() + L"\"";
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, nullptr,
                        0, KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, L"Wakelatch", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            WriteAutostartEntry();
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"WakelatchInstallerStandIn";
    if (RegisterClassW(&windowClass) == 0 ||
        CreateWindowExW(0, windowClass.lpszClassName, L"Wakelatch Version 1.0.0", WS_OVERLAPPEDWINDOW, 0, 0,
                        100, 100, nullptr, nullptr, instance, nullptr) == nullptr) {
        return 1;
    }
    std::wstring ready = ProgramPath();
    ready = ready.substr(0, ready.find_last_of(L'\\') + 1) + L"standin-ready";
    CloseHandle(
        CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
