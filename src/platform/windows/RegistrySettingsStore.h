#pragma once

#include <cstddef>
#include <string>

#include "settings/SettingsStore.h"

namespace wakelatch::platform {

// The settings store in the user's registry: application "A", section "S" is the key
// HKEY_CURRENT_USER\Software\A\S, each setting a REG_SZ value named as its key. A value of any other type,
// or longer than kLongestValue, reads as absent (its default), as does a missing key. The key is created
// by the first write.
class RegistrySettingsStore final : public SettingsStore {
  public:
    static constexpr std::size_t kLongestValue = 4 * 1024;

    // `baseKey` is the key under HKEY_CURRENT_USER that holds the applications; tests give their own.
    explicit RegistrySettingsStore(std::string baseKey = "Software");

    std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key,
                           const std::string& defaultText) override;
    bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                     const std::string& text) override;

    std::string KeyPath(const std::string& appName, const std::string& section) const;

  private:
    std::string baseKey_;
};

}  // namespace wakelatch::platform
