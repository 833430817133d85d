// Measures keep-awake passes over N selected loop-mounted drives: device reads and writes per drive per
// pass (from the block layer's counters) and the wall time of a pass. Needs root.
//   wakelatch_pass_benchmark [drives=4] [passes=10] [pause]
// With "pause" the program stops itself (SIGSTOP) after a first pass and again after the measured ones, so
// that a tracer can be attached around exactly those passes (benchmarks/pass-benchmark.sh); the device
// counters, which run programs of their own, are left out then.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "drives/DriveEngine.h"
#include "drives/KeepAwakePass.h"
#include "fakes/FakeControls.h"
#include "fakes/TempFolder.h"
#include "platform/common/BlockingAwaiter.h"
#include "platform/linux/LinuxDrivePlatform.h"
#include "support/LoopImage.h"

int main(int argc, char** argv) {
    using namespace wakelatch;
    const int driveCount = argc > 1 ? std::atoi(argv[1]) : 4;
    const int passCount = argc > 2 ? std::atoi(argv[2]) : 10;
    const bool pause = argc > 3 && std::string(argv[3]) == "pause";
    if (geteuid() != 0) {
        std::fprintf(stderr, "the benchmark mounts loop images and needs root\n");
        return 77;
    }
    testing::TempFolder temp;
    std::vector<std::unique_ptr<testing::LoopImage>> images;
    for (int i = 0; i < driveCount; ++i) {
        const std::string folder = temp.path() + "/d" + std::to_string(i);
        std::filesystem::create_directories(folder);
        images.push_back(std::make_unique<testing::LoopImage>(folder, "WLBENCH" + std::to_string(i)));
        if (!images.back()->Mounted()) {
            std::fprintf(stderr, "could not mount loop image %d\n", i);
            return 1;
        }
    }
    platform::BlockingAwaiter awaiter;
    platform::LinuxDrivePaths paths{"/proc/self/mountinfo", "/etc/fstab", "/sys", temp.path() + "/drives"};
    paths.helperProgram = WAKELATCH_DRIVE_HELPER;
    platform::LinuxDrivePlatform drives(paths, awaiter);
    ProgramState state;
    state.Language = 2;
    state.DriveName = 1;
    state.DriveStart = 0;
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        for (const auto& image : images) {
            if (drives.MountPointOf(letter) == image->MountPoint()) {
                state.Drives += std::string(1, letter) + ":\\";
            }
        }
    }
    testing::FakeCheckList list;
    testing::FakeCheckList substitute;
    testing::FakeMeasurer measurer;
    DriveEngine engine(state, drives, {list, substitute}, measurer, [] {});
    bool refreshPending = false;
    for (const auto& image : images) {
        image->WarmCache();
    }

    std::printf("selection %s, %d drives, %d passes\n", state.Drives.c_str(), driveCount, passCount);
    if (pause) {
        KeepAwakePass(
            state, engine, drives, refreshPending, [] {}, true);
        std::fflush(stdout);
        raise(SIGSTOP);
    }
    std::printf("%-5s %12s %22s %23s\n", "pass", "wall ms", "reads/drive (min-max)",
                "writes/drive (min-max)");
    double totalMs = 0;
    std::vector<double> times;
    for (int pass = 1; pass <= passCount; ++pass) {
        std::vector<testing::DeviceCounters> before;
        for (const auto& image : images) {
            before.push_back(pause ? testing::DeviceCounters{} : image->Counters());
        }
        const auto start = std::chrono::steady_clock::now();
        KeepAwakePass(
            state, engine, drives, refreshPending, [] {}, true);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        totalMs += ms;
        times.push_back(ms);
        std::uint64_t minReads = UINT64_MAX, maxReads = 0, minWrites = UINT64_MAX, maxWrites = 0;
        for (std::size_t i = 0; i < images.size(); ++i) {
            const auto after = pause ? testing::DeviceCounters{} : images[i]->Counters();
            const auto reads = after.readsCompleted - before[i].readsCompleted;
            const auto writes = after.writesCompleted - before[i].writesCompleted;
            minReads = std::min(minReads, reads);
            maxReads = std::max(maxReads, reads);
            minWrites = std::min(minWrites, writes);
            maxWrites = std::max(maxWrites, writes);
        }
        std::printf("%-5d %12.2f %16llu-%-5llu %17llu-%-5llu\n", pass, ms,
                    static_cast<unsigned long long>(minReads), static_cast<unsigned long long>(maxReads),
                    static_cast<unsigned long long>(minWrites), static_cast<unsigned long long>(maxWrites));
    }
    std::sort(times.begin(), times.end());
    std::printf("mean pass: %.2f ms, median %.2f ms\n", totalMs / passCount, times[times.size() / 2]);
    if (pause) {
        std::fflush(stdout);
        raise(SIGSTOP);
    }
    return 0;
}
