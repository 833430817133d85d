#pragma once

#include <sys/types.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace wakelatch::testing {

// Gone, or killed and waiting to be reaped by whoever inherited it.
inline bool ProcessEnded(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return true;
    }
    const auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

// Whether a process that was just killed has ended within a second (the kill takes a moment to land).
inline bool ProcessEndsSoon(pid_t pid) {
    for (int i = 0; i < 100 && !ProcessEnded(pid); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return ProcessEnded(pid);
}

}  // namespace wakelatch::testing
