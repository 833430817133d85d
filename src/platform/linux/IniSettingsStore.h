#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <map>
#include <string>

#include "platform/linux/IniText.h"
#include "settings/SettingsStore.h"

namespace wakelatch::platform {

// The settings store as INI files: application "A" lives in <config>/A/A.ini, each section is a group.
// <config> is $XDG_CONFIG_HOME (default ~/.config) unless a folder is given. The files are those Qt's
// QSettings wrote, read and written by the program itself so that nothing ever waits: there is no lock
// file, every write replaces the file atomically (a crash never leaves a torn file), and only a regular
// file of at most kLargestFile bytes is read. Anything else at the path (a FIFO, a device, a folder, a
// larger file) is left as it is, never written over, and every key reads as its default. A read-only
// file is read but not replaced; a replaced file keeps its permissions.
class IniSettingsStore final : public SettingsStore {
  public:
    static constexpr std::size_t kLargestFile = 64 * 1024;
    // A longer value reads as absent (its default).
    static constexpr std::size_t kLongestValue = 4 * 1024;

    explicit IniSettingsStore(std::string configFolderOverride = {});

    std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key,
                           const std::string& defaultText) override;
    bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                     const std::string& text) override;

    std::string FilePath(const std::string& appName) const;

  private:
    // The file as last read, kept while its identity (inode, size, times) is unchanged: another copy of
    // the program, or the user, may change it at any time.
    struct CachedFile {
        bool known = false;
        struct stat identity {};
        ini::Document document;
    };
    const ini::Document& Current(const std::string& appName);

    std::string configFolderOverride_;
    std::map<std::string, CachedFile> files_;
};

}  // namespace wakelatch::platform
