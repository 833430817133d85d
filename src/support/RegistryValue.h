#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Reading one value of the machine's registry as text, as the About window does to find the system
// information program. The registry itself is the Windows backend's; this is the logic around it.
namespace wakelatch::registry {

inline constexpr std::uint32_t kRootLocalMachine = 0x80000002;
inline constexpr std::uint32_t kTypeString = 1;
inline constexpr std::uint32_t kTypeNumber = 4;
inline constexpr std::size_t kBufferSize = 1024;

struct RawValue {
    std::uint32_t type = 0;
    std::vector<unsigned char> bytes;  // as returned into a buffer of kBufferSize zero bytes
};

class RegistryReader {
  public:
    virtual ~RegistryReader() = default;
    // Opens the key for reading only; false when it cannot be opened.
    virtual bool OpenReadOnly(std::uint32_t root, const std::string& key) = 0;
    // The value, or nothing when the query fails (also when it does not fit the buffer).
    virtual std::optional<RawValue> Query(const std::string& valueName) = 0;
    virtual void Close() = 0;
};

// The text of a value: type 1 is the buffer up to its first zero byte; for type 4 the hexadecimal codes
// (upper case, no leading zero) of that text's characters, last first, follow the incoming text, and
// "&h" is put in front; any other type leaves the incoming text.
std::string ValueText(const RawValue& value, const std::string& incoming);

// True when the value was read; `valueText` then holds its text. On failure it is empty. The key is
// closed on every path and opened read-only: asking for write rights on a machine-wide key fails for an
// ordinary user.
bool GetKeyValue(RegistryReader& registry, std::uint32_t root, const std::string& key,
                 const std::string& valueName, std::string& valueText);

}  // namespace wakelatch::registry
