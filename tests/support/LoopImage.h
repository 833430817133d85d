#pragma once

#include <cstdint>
#include <string>

namespace wakelatch::testing {

// The block layer's counters of a device (/sys/block/NAME/stat).
struct DeviceCounters {
    std::uint64_t readsCompleted = 0;
    std::uint64_t writesCompleted = 0;
};

// An ext4 image made in a folder (labelled unless the label is empty), loop-mounted (noatime) at
// folder/mnt, with one 1 MiB file on it, and unmounted again at the end. Needs root.
class LoopImage {
  public:
    LoopImage(const std::string& folder, const std::string& label);
    ~LoopImage();
    LoopImage(const LoopImage&) = delete;
    LoopImage& operator=(const LoopImage&) = delete;

    bool Mounted() const { return !loopDevice_.empty(); }
    const std::string& MountPoint() const { return mountPoint_; }
    const std::string& LoopDevice() const { return loopDevice_; }  // "/dev/loopN"
    DeviceCounters Counters() const;
    // Reads every file once through the page cache and waits until nothing is left to write.
    void WarmCache() const;

  private:
    std::string mountPoint_;
    std::string loopDevice_;
};

int RunQuietly(const std::string& command);

}  // namespace wakelatch::testing
