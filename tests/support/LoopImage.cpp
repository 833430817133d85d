#include "support/LoopImage.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace wakelatch::testing {

int RunQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

LoopImage::LoopImage(const std::string& folder, const std::string& label, const std::string& mountOptions)
    : mountPoint_(folder + "/mnt") {
    const std::string image = folder + "/disk.img";
    std::filesystem::create_directories(mountPoint_);
    // Inode tables and journal written in full now, so that no background writes follow the mount.
    const std::string labelOption = label.empty() ? std::string() : " -L " + label;
    if (RunQuietly("truncate -s 32M " + image + " && mkfs.ext4 -q -F" + labelOption +
                   " -E lazy_itable_init=0,lazy_journal_init=0 " + image) != 0 ||
        RunQuietly("mount -o loop," + mountOptions + " " + image + " " + mountPoint_) != 0) {
        return;
    }
    std::ifstream mounts("/proc/self/mountinfo");
    for (std::string line; std::getline(mounts, line);) {
        std::istringstream fields(line);
        std::string field;
        std::string point;
        for (int i = 0; i < 5 && fields >> field; ++i) {
            point = field;
        }
        if (point == mountPoint_) {
            const auto dash = line.find(" - ");
            std::istringstream tail(line.substr(dash + 3));
            std::string type;
            tail >> type >> loopDevice_;
        }
    }
    // Settled data: a file that is being written is no file to touch (a direct read would flush it).
    RunQuietly("head -c 1048576 /dev/urandom > " + mountPoint_ + "/data.bin && touch -m -d '2 days ago' " +
               mountPoint_ + "/data.bin && sync");
}

LoopImage::~LoopImage() {
    if (Mounted()) {
        RunQuietly("umount " + mountPoint_);
    }
}

DeviceCounters LoopImage::Counters() const {
    RunQuietly("sync -f " + mountPoint_);
    const std::string name = loopDevice_.substr(loopDevice_.rfind('/') + 1);
    std::ifstream in("/sys/block/" + name + "/stat");
    std::uint64_t field[17] = {};
    for (auto& value : field) {
        in >> value;
    }
    // Cache flushes (field 16, such as the sync above sends) are counted among the writes; they carry
    // no data and are not the touch's.
    return {field[0], field[4] - field[15]};
}

void LoopImage::WarmCache() const {
    RunQuietly("cat " + mountPoint_ + "/data.bin > /dev/null && sync");
}

}  // namespace wakelatch::testing
