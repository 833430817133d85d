#include "platform/windows/Win32RegistryReader.h"

#include "platform/windows/Win32.h"

namespace wakelatch::platform {

bool Win32RegistryReader::OpenReadOnly(std::uint32_t root, const std::string& key) {
    // The predefined roots are fixed handle values (HKEY_LOCAL_MACHINE is 0x80000002), sign-extended on
    // 64-bit Windows as the headers define them.
    const auto rootKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
    return RegOpenKeyExA(rootKey, key.c_str(), 0, KEY_READ, key_.Receive()) == ERROR_SUCCESS;
}

std::optional<registry::RawValue> Win32RegistryReader::Query(const std::string& valueName) {
    registry::RawValue value{0, std::vector<unsigned char>(registry::kBufferSize, 0)};
    DWORD type = 0;
    auto size = static_cast<DWORD>(value.bytes.size());
    if (!key_ || RegQueryValueExA(key_.Get(), valueName.c_str(), nullptr, &type, value.bytes.data(), &size) !=
                     ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.type = type;
    return value;
}

}  // namespace wakelatch::platform
