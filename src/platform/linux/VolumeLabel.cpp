#include "platform/linux/VolumeLabel.h"

#include <blkid/blkid.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>

namespace wakelatch::platform::linux_drives {

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

std::optional<std::string> BlockDeviceLabel(const std::string& devicePath) {
    if (access(devicePath.c_str(), R_OK) != 0) {
        return std::nullopt;
    }
    blkid_probe probe = blkid_new_probe_from_filename(devicePath.c_str());
    if (probe == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> label;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_LABEL);
    const char* value = nullptr;
    std::size_t length = 0;
    if (blkid_do_safeprobe(probe) == 0 && blkid_probe_lookup_value(probe, "LABEL", &value, &length) == 0 &&
        value != nullptr && value[0] != '\0') {
        label = std::string(value);
    }
    blkid_free_probe(probe);
    return label;
}

}  // namespace wakelatch::platform::linux_drives
