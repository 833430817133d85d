#include "platform/windows/NetworkDrives.h"

#include <vector>

#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

#include <winnetwk.h>

namespace wakelatch::platform::win_drives {
namespace {

class RegistryKey {
  public:
    RegistryKey(HKEY parent, const std::wstring& path) {
        if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~RegistryKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

}  // namespace

MappingValue ReadNetworkMapping(char letter) {
    const RegistryKey key(HKEY_CURRENT_USER, L"Network\\" + std::wstring(1, static_cast<wchar_t>(letter)));
    DWORD type = 0;
    DWORD size = 0;
    if (key.get() == nullptr ||
        RegQueryValueExW(key.get(), L"RemotePath", nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return {};
    }
    if (type != REG_SZ) {
        return {MappingValue::Kind::OtherType, {}};
    }
    // No share path is longer than kLongestRemotePath: a value larger than that is not a mapping, and is
    // not read (it is read for every letter on every pass, and could be of any size).
    if (size > kLongestRemotePath * sizeof(wchar_t)) {
        return {};
    }
    // The stored text need not end in a NUL: one more character, zeroed, makes sure it does.
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = size;
    if (RegQueryValueExW(key.get(), L"RemotePath", nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    return {MappingValue::Kind::Text, utf::Narrow(text.data())};
}

int ConnectDrive(const std::string& localName, const std::string& remotePath) {
    std::string local = utf::ToAnsi(localName);
    std::string remote = utf::ToAnsi(remotePath);
    char empty[] = "";
    NETRESOURCEA resource{};
    resource.dwScope = RESOURCE_GLOBALNET;
    resource.dwType = RESOURCETYPE_DISK;
    resource.dwDisplayType = RESOURCEDISPLAYTYPE_SHARE;
    resource.dwUsage = RESOURCEUSAGE_CONTAINER;
    resource.lpLocalName = local.data();
    resource.lpRemoteName = remote.data();
    resource.lpComment = empty;
    resource.lpProvider = empty;
    char accessName[32] = {};
    DWORD accessSize = sizeof accessName;
    DWORD resultFlags = 0;
    // No window of its own in this layer, and CONNECT_INTERACTIVE is not set: nothing is asked.
    return static_cast<int>(WNetUseConnectionA(nullptr, &resource, nullptr, nullptr, CONNECT_REDIRECT,
                                               accessName, &accessSize, &resultFlags));
}

}  // namespace wakelatch::platform::win_drives
