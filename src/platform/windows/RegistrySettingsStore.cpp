#include "platform/windows/RegistrySettingsStore.h"

#include <utility>
#include <vector>

#include "platform/windows/Handles.h"
#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

namespace wakelatch::platform {

RegistrySettingsStore::RegistrySettingsStore(std::string baseKey) : baseKey_(std::move(baseKey)) {}

std::string RegistrySettingsStore::KeyPath(const std::string& appName, const std::string& section) const {
    return baseKey_ + "\\" + appName + "\\" + section;
}

std::string RegistrySettingsStore::GetSetting(const std::string& appName, const std::string& section,
                                              const std::string& key, const std::string& defaultText) {
    win32::UniqueKey handle;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, utf::Widen(KeyPath(appName, section)).c_str(), 0, KEY_QUERY_VALUE,
                      handle.Receive()) != ERROR_SUCCESS) {
        return defaultText;
    }
    // Room for the longest value in UTF-16 (a text of n UTF-8 bytes needs at most n units) and its
    // terminating zero: anything larger does not fit and reads as absent without being read.
    std::vector<wchar_t> buffer(kLongestValue + 1, L'\0');
    DWORD type = 0;
    auto bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(handle.Get(), utf::Widen(key).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return defaultText;
    }
    // The stored data need not end in a zero, and may hold one early: the text ends at the first.
    std::wstring wide(buffer.data(), bytes / sizeof(wchar_t));
    wide = wide.substr(0, wide.find(L'\0'));
    std::string text = utf::Narrow(wide);
    return text.size() > kLongestValue ? defaultText : text;
}

bool RegistrySettingsStore::SaveSetting(const std::string& appName, const std::string& section,
                                        const std::string& key, const std::string& text) {
    win32::UniqueKey handle;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, utf::Widen(KeyPath(appName, section)).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, handle.Receive(),
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring wide = utf::Widen(text);
    const auto bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(handle.Get(), utf::Widen(key).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace wakelatch::platform
