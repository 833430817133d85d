#pragma once

#include <map>
#include <memory>
#include <string>

#include "settings/SettingsStore.h"

class QSettings;

namespace wakelatch::platform {

// The settings store as INI files: application "A" lives in <config>/A/A.ini, each section is a group.
// <config> is $XDG_CONFIG_HOME (default ~/.config) unless a folder is given. Every write is flushed at
// once; Qt replaces the file atomically, so a crash never leaves a torn settings file.
class IniSettingsStore final : public SettingsStore {
  public:
    explicit IniSettingsStore(std::string configFolderOverride = {});
    ~IniSettingsStore() override;

    std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key,
                           const std::string& defaultText) override;
    bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                     const std::string& text) override;

    std::string FilePath(const std::string& appName) const;

  private:
    QSettings& SettingsFor(const std::string& appName);

    std::string configFolderOverride_;
    std::map<std::string, std::unique_ptr<QSettings>> files_;
};

}  // namespace wakelatch::platform
