#pragma once

#include <string>
#include <vector>

namespace wakelatch::testing {

// Calls of several fakes in the order they came, for tests of a sequence of steps.
using CallLog = std::vector<std::string>;
inline void Note(CallLog* log, const std::string& entry) {
    if (log != nullptr) {
        log->push_back(entry);
    }
}

}  // namespace wakelatch::testing
