#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

// Helpers of the Windows tests: scratch folders, whole files, registry values written as they are.
namespace wakelatch::testing {

inline std::string Unique(const std::string& prefix) {
    static unsigned count = 0;
    return prefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
}

// A fresh folder in the user's temp folder, removed with everything in it at the end of the test.
class ScratchFolder {
  public:
    ScratchFolder() : path_((std::filesystem::temp_directory_path() / Unique("wakelatch-test-")).string()) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// Paths are UTF-8, as the program's.
inline std::optional<std::string> ReadBytes(const std::string& path) {
    std::ifstream file(std::filesystem::path(platform::utf::Widen(path)), std::ios::binary);
    return file ? std::optional(std::string(std::istreambuf_iterator<char>(file), {})) : std::nullopt;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(platform::utf::Widen(path)), std::ios::binary) << bytes;
}

struct RegistryData {
    DWORD type = 0;
    std::vector<BYTE> bytes;
};

inline void WriteRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name,
                               const RegistryData& data) {
    RegSetKeyValueW(root, key.c_str(), name.c_str(), data.type, data.bytes.data(),
                    static_cast<DWORD>(data.bytes.size()));
}

inline RegistryData TextData(const std::string& text) {
    const std::wstring wide = platform::utf::Widen(text);
    const auto* begin = reinterpret_cast<const BYTE*>(wide.c_str());
    return {REG_SZ, std::vector<BYTE>(begin, begin + (wide.size() + 1) * sizeof(wchar_t))};
}

}  // namespace wakelatch::testing

// A facility Wine may lack: the test skips, or fails where the run insists on its facilities.
#define SKIP_UNLESS(condition, reason)                          \
    do {                                                        \
        if (!(condition)) {                                     \
            if (std::getenv("WAKELATCH_REQUIRE_INTEGRATION")) { \
                FAIL() << reason;                               \
            }                                                   \
            GTEST_SKIP() << reason;                             \
        }                                                       \
    } while (false)

// Wine makes windows only on a display.
#define SKIP_WITHOUT_WINDOW(window)  \
    SKIP_UNLESS((window) != nullptr, \
                "no window can be created (no display for Wine?), error " << GetLastError())
