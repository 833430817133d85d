#include "platform/windows/Win32.h"
#include "support/Resources.h"

// Windows: the files are resources of type "CUSTOM" in the program's own module (resources/windows). A
// loaded resource stays mapped as long as the module, so the bytes are neither copied nor released.
namespace wakelatch::resources {

std::optional<Bytes> Find(int id) {
    // A resource id is 16 bits wide: anything else would find whatever shares its low bits.
    if (id < 1 || id > 0xFFFF) {
        return std::nullopt;
    }
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"CUSTOM");
    HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return std::nullopt;
    }
    return Bytes{static_cast<const unsigned char*>(data), SizeofResource(nullptr, found)};
}

}  // namespace wakelatch::resources
