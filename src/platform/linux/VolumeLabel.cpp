#include "platform/linux/VolumeLabel.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <array>
#include <memory>
#include <sstream>

#include "platform/linux/RegularFile.h"

namespace wakelatch::platform::linux_drives {
namespace {

// A udev database entry is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kLongestUdevEntry = 64 * 1024;

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// udev writes unsafe bytes of a label (blanks, slashes) as "\xHH".
std::string DecodeUdevEscapes(const std::string& text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && HexValue(text[i + 2]) >= 0 &&
            HexValue(text[i + 3]) >= 0) {
            decoded += static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
            i += 3;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::optional<std::string> LabelFromDatabase(unsigned major, unsigned minor, const std::string& folder) {
    const auto entry = linux_files::ReadRegularFile(
        folder + "/b" + std::to_string(major) + ":" + std::to_string(minor), kLongestUdevEntry);
    if (entry.outcome != linux_files::RegularFileText::Outcome::Read) {
        return std::nullopt;
    }
    // The encoded label keeps the blanks that the plain one has replaced.
    std::optional<std::string> plain;
    std::istringstream lines(entry.text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("E:ID_FS_LABEL_ENC=", 0) == 0 && line.size() > 18) {
            return DecodeUdevEscapes(line.substr(18));
        }
        if (line.rfind("E:ID_FS_LABEL=", 0) == 0 && line.size() > 14) {
            plain = line.substr(14);
        }
    }
    return plain;
}

std::optional<std::string> LabelFromLinks(unsigned major, unsigned minor, const std::string& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> links(opendir(folder.c_str()), closedir);
    if (!links) {
        return std::nullopt;
    }
    while (const dirent* link = readdir(links.get())) {
        struct stat target {};
        // stat of a device node reads its inode in /dev, never the device.
        if (link->d_name[0] != '.' && stat((folder + "/" + link->d_name).c_str(), &target) == 0 &&
            S_ISBLK(target.st_mode) && target.st_rdev == makedev(major, minor)) {
            return DecodeUdevEscapes(link->d_name);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> FilesystemLabel(const std::string& mountPoint) {
    const int fd = open(mountPoint.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    std::array<char, FSLABEL_MAX + 1> label{};
    const int result = ioctl(fd, FS_IOC_GETFSLABEL, label.data());
    close(fd);
    if (result != 0 || label[0] == '\0') {
        return std::nullopt;
    }
    return std::string(label.data());
}

std::optional<std::string> RecordedDeviceLabel(unsigned major, unsigned minor, const LabelSources& sources) {
    if (auto label = LabelFromDatabase(major, minor, sources.udevData); label && !label->empty()) {
        return label;
    }
    return LabelFromLinks(major, minor, sources.byLabel);
}

std::optional<std::string> BlockDeviceLabel(const std::string& devicePath) {
    struct stat node {};
    if (stat(devicePath.c_str(), &node) != 0 || !S_ISBLK(node.st_mode)) {
        return std::nullopt;
    }
    return RecordedDeviceLabel(major(node.st_rdev), minor(node.st_rdev));
}

}  // namespace wakelatch::platform::linux_drives
