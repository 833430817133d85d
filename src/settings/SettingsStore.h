#pragma once

#include <string>

namespace wakelatch {

// Per-user text values addressed by application name, section and key.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultText when the key is absent.
    virtual std::string GetSetting(const std::string& appName, const std::string& section,
                                   const std::string& key, const std::string& defaultText) = 0;

    // Replaces the key's text. Returns false when the store could not be written; callers that follow
    // the program's rules ignore it, tests and diagnostics look at it.
    virtual bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                             const std::string& text) = 0;
};

}  // namespace wakelatch
