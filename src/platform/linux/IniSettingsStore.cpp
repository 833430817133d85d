#include "platform/linux/IniSettingsStore.h"

#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <utility>

#include "platform/linux/AtomicFile.h"
#include "platform/linux/RegularFile.h"
#include "platform/linux/XdgPaths.h"

namespace wakelatch::platform {
namespace {

using linux_files::RegularFileText;

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// Where a new file replaces the settings: the file itself, or the file a link names (a settings file
// kept elsewhere and linked in stays where the user keeps it).
std::string ReplacementTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* resolved = realpath(path.c_str(), nullptr)) {
            std::string target(resolved);
            std::free(resolved);
            return target;
        }
    }
    return path;
}

// The permissions of the new file: those of the file it replaces, 0600 for a first one. None when that
// file is read-only, as a user makes it to keep the settings as they are: it is not replaced then.
std::optional<mode_t> NewFileMode(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) {
        return 0600;
    }
    if ((info.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0) {
        return std::nullopt;
    }
    return info.st_mode & 0777;
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::string configFolderOverride)
    : configFolderOverride_(std::move(configFolderOverride)) {}

std::string IniSettingsStore::FilePath(const std::string& appName) const {
    const std::string folder =
        configFolderOverride_.empty() ? linux_xdg::ConfigHome() : configFolderOverride_;
    return folder + "/" + appName + "/" + appName + ".ini";
}

const ini::Document& IniSettingsStore::Current(const std::string& appName) {
    CachedFile& cached = files_[appName];
    const std::string path = FilePath(appName);
    struct stat identity {};
    if (stat(path.c_str(), &identity) == 0 && cached.known && SameFile(identity, cached.identity)) {
        return cached.document;
    }
    const RegularFileText file = linux_files::ReadRegularFile(path, kLargestFile);
    cached.document =
        file.outcome == RegularFileText::Outcome::Read ? ini::Parse(file.text) : ini::Document{};
    cached.known = file.outcome == RegularFileText::Outcome::Read;
    cached.identity = identity;
    return cached.document;
}

std::string IniSettingsStore::GetSetting(const std::string& appName, const std::string& section,
                                         const std::string& key, const std::string& defaultText) {
    const std::string* raw = ini::Find(Current(appName), section, key);
    if (raw == nullptr || raw->size() > kLongestValue) {
        return defaultText;
    }
    return ini::ValueText(*raw);
}

bool IniSettingsStore::SaveSetting(const std::string& appName, const std::string& section,
                                   const std::string& key, const std::string& text) {
    const std::string path = FilePath(appName);
    linux_xdg::MakeDirectories(path.substr(0, path.rfind('/')));
    // Read afresh: the write must keep what another writer saved since the last read.
    const RegularFileText file = linux_files::ReadRegularFile(path, kLargestFile);
    if (file.outcome == RegularFileText::Outcome::Refused) {
        return false;  // not ours to replace: it stays as it is
    }
    ini::Document document =
        file.outcome == RegularFileText::Outcome::Read ? ini::Parse(file.text) : ini::Document{};
    ini::Set(document, section, key, ini::RawValue(text));
    const std::string content = ini::Serialize(document);
    const std::string target = ReplacementTarget(path);
    const std::optional<mode_t> mode = NewFileMode(target);
    // A file this store would refuse to read is not written.
    if (content.size() > kLargestFile || !mode || !linux_files::WriteFileAtomically(target, content, *mode)) {
        return false;
    }
    // The new file may get the old one's inode number and, within one clock tick, its times: its
    // identity alone would not show that the cached text is out of date.
    files_.erase(appName);
    return true;
}

}  // namespace wakelatch::platform
