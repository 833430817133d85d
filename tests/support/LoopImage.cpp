#include "support/LoopImage.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace wakelatch::testing {

int RunQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

std::string FirstLineOf(const std::string& command) {
    FILE* out = popen((command + " 2>/dev/null").c_str(), "r");
    if (out == nullptr) {
        return {};
    }
    char line[4096] = {};
    const bool read = std::fgets(line, sizeof line, out) != nullptr;
    pclose(out);
    std::string text = read ? line : "";
    return text.substr(0, text.find('\n'));
}

LoopImage::LoopImage(const std::string& folder, const std::string& label) : mountPoint_(folder + "/mnt") {
    const std::string image = folder + "/disk.img";
    std::filesystem::create_directories(mountPoint_);
    // Inode tables and journal written in full now, so that no background writes follow the mount.
    const std::string labelOption = label.empty() ? std::string() : " -L " + label;
    if (RunQuietly("truncate -s 32M " + image + " && mkfs.ext4 -q -F" + labelOption +
                   " -E lazy_itable_init=0,lazy_journal_init=0 " + image) != 0 ||
        RunQuietly("mount -o loop,noatime " + image + " " + mountPoint_) != 0) {
        return;
    }
    loopDevice_ = FirstLineOf("findmnt -n -o SOURCE " + mountPoint_);
    // Settled data: a file that is being written is no file to touch (a direct read would flush it).
    RunQuietly("head -c 1048576 /dev/urandom > " + mountPoint_ + "/data.bin && touch -m -d '2 days ago' " +
               mountPoint_ + "/data.bin && sync");
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

DeviceCounters LoopImage::CountedDuring(const std::function<void()>& action) const {
    const DeviceCounters before = Counters();
    action();
    const DeviceCounters after = Counters();
    return {after.readsCompleted - before.readsCompleted, after.writesCompleted - before.writesCompleted};
}

}  // namespace wakelatch::testing
