#include "platform/windows/RunKeyAutostart.h"

#include "platform/windows/Handles.h"
#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

// The entry's text is a path: it goes through the W calls, so that a folder name outside the ANSI code
// page still starts the program. Everything else is as the program has always done it.
namespace wakelatch::platform {
namespace {

// Query and set value, create and enumerate subkeys, notify, create link: what the program has always
// asked for on its own Run key.
constexpr REGSAM kRunKeyAccess = 0x3F;

win32::UniqueKey OpenRunKey() {
    win32::UniqueKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, RunKeyAutostart::kRunKey, 0, kRunKeyAccess, key.Receive()) !=
        ERROR_SUCCESS) {
        key.Reset();
    }
    return key;
}

}  // namespace

bool RunKeyAutostart::Write(const std::string& name, const std::string& command) {
    const win32::UniqueKey key = OpenRunKey();
    if (!key) {
        return false;
    }
    const std::wstring data = L"\"" + utf::Widen(command) + L"\"";
    // The length counts the terminating zero.
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), utf::Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

bool RunKeyAutostart::Remove(const std::string& name) {
    const win32::UniqueKey key = OpenRunKey();
    return key && RegDeleteValueW(key.Get(), utf::Widen(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace wakelatch::platform
