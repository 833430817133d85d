#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace wakelatch::testing {

// Runs a shell command with its output discarded; its exit status.
int RunQuietly(const std::string& command);
// The first line a shell command writes, empty when it writes none.
std::string FirstLineOf(const std::string& command);

// The block layer's counters of a device (/sys/block/NAME/stat).
struct DeviceCounters {
    std::uint64_t readsCompleted = 0;
    std::uint64_t writesCompleted = 0;  // data writes; cache flushes are not counted
};

// An ext4 image made in a folder (labelled unless the label is empty), loop-mounted at folder/mnt, with
// one 1 MiB file on it last changed two days ago, and unmounted again at the end. Needs root.
class LoopImage {
  public:
    // Mounted noatime: reads leave access times alone.
    LoopImage(const std::string& folder, const std::string& label);
    ~LoopImage() { RunQuietly("umount " + mountPoint_); }
    LoopImage(const LoopImage&) = delete;
    LoopImage& operator=(const LoopImage&) = delete;

    bool Mounted() const { return !loopDevice_.empty(); }
    const std::string& MountPoint() const { return mountPoint_; }
    // The counters once everything written to the filesystem so far has reached the device.
    DeviceCounters Counters() const;
    // What the device did while `action` ran.
    DeviceCounters CountedDuring(const std::function<void()>& action) const;
    // Reads every file once through the page cache and waits until nothing is left to write.
    void WarmCache() const { RunQuietly("cat " + mountPoint_ + "/data.bin > /dev/null && sync"); }

  private:
    std::string mountPoint_;
    std::string loopDevice_;  // "/dev/loopN"
};

}  // namespace wakelatch::testing
