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

// Helpers of the Windows tests: scratch folders, whole files, registry values put back.
namespace wakelatch::testing {

// Facilities Wine may lack are skipped, unless the run insists on them.
inline bool IntegrationRequired() {
    return std::getenv("WAKELATCH_REQUIRE_INTEGRATION") != nullptr;
}

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

// The value as stored (RegGetValueW would add a missing terminating zero).
inline std::optional<RegistryData> ReadRegistryValue(HKEY root, const std::wstring& key,
                                                     const std::wstring& name) {
    HKEY opened = nullptr;
    RegistryData data{0, std::vector<BYTE>(64 * 1024)};
    auto size = static_cast<DWORD>(data.bytes.size());
    const bool read = RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) == ERROR_SUCCESS &&
                      RegQueryValueExW(opened, name.c_str(), nullptr, &data.type, data.bytes.data(), &size) ==
                          ERROR_SUCCESS;
    RegCloseKey(opened);
    data.bytes.resize(size);
    return read ? std::optional(data) : std::nullopt;
}

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

// A value of a fixed key that a test changes: put back as it was at the end (the key goes, when the test
// made it).
class SavedRegistryValue {
  public:
    SavedRegistryValue(HKEY root, std::wstring key, std::wstring name)
        : root_(root),
          key_(std::move(key)),
          name_(std::move(name)),
          old_(ReadRegistryValue(root_, key_, name_)) {
        HKEY existing = nullptr;
        keyExisted_ = RegOpenKeyExW(root_, key_.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS;
        RegCloseKey(existing);
    }
    ~SavedRegistryValue() {
        old_ ? WriteRegistryValue(root_, key_, name_, *old_) : Delete();
        if (!keyExisted_) {
            RegDeleteKeyW(root_, key_.c_str());
        }
    }
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

    void Set(const std::string& text) const { WriteRegistryValue(root_, key_, name_, TextData(text)); }
    void Delete() const { RegDeleteKeyValueW(root_, key_.c_str(), name_.c_str()); }

  private:
    HKEY root_;
    std::wstring key_;
    std::wstring name_;
    std::optional<RegistryData> old_;
    bool keyExisted_ = false;
};

// Makes `link` a symbolic link to `target`; true only when the link is there and shows as a reparse point
// (Wine reports success and makes none).
inline bool MadeLink(const std::wstring& link, const std::wstring& target, DWORD flags) {
    const DWORD attributes =
        CreateSymbolicLinkW(link.c_str(), target.c_str(), flags) ? GetFileAttributesW(link.c_str()) : 0;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace wakelatch::testing

// Wine makes windows only on a display; without one a window test skips (or fails where it must run).
#define SKIP_WITHOUT_WINDOW(window)                                                        \
    do {                                                                                   \
        if ((window) == nullptr) {                                                         \
            if (::wakelatch::testing::IntegrationRequired()) {                             \
                FAIL() << "no window can be created (error " << GetLastError() << ")";     \
            }                                                                              \
            GTEST_SKIP() << "no window can be created here (no display for Wine?), error " \
                         << GetLastError();                                                \
        }                                                                                  \
    } while (false)
