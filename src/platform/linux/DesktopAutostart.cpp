#include "platform/linux/DesktopAutostart.h"

#include <unistd.h>

#include <utility>

#include "platform/linux/AtomicFile.h"
#include "platform/linux/DesktopEntry.h"
#include "platform/linux/XdgPaths.h"

namespace wakelatch::platform {

DesktopAutostart::DesktopAutostart(std::string folderOverride) : folderOverride_(std::move(folderOverride)) {}

std::string DesktopAutostart::EntryPath(const std::string& name) const {
    const std::string folder =
        folderOverride_.empty() ? linux_xdg::ConfigHome() + "/autostart" : folderOverride_;
    return folder + "/" + name + ".desktop";
}

bool DesktopAutostart::Write(const std::string& name, const std::string& command) {
    if (name.empty() || name.find('/') != std::string::npos) {
        return false;
    }
    const std::string path = EntryPath(name);
    if (!linux_xdg::MakeDirectories(path.substr(0, path.rfind('/')))) {
        return false;
    }
    return linux_files::WriteFileAtomically(path, desktop_entry::AutostartEntryText(name, command), 0644);
}

bool DesktopAutostart::Remove(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) {
        return false;
    }
    return unlink(EntryPath(name).c_str()) == 0;
}

}  // namespace wakelatch::platform
