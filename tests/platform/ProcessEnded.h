#pragma once

#include <sys/types.h>

#include <fstream>
#include <string>

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

}  // namespace wakelatch::testing
