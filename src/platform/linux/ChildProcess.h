#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace wakelatch::platform::linux_process {

// The argument vector posix_spawn takes: pointers into `arguments`, which must outlive it, then null.
std::vector<char*> ArgumentVector(std::vector<std::string>& arguments);

// Waits for the child up to the limit; true when it ended (status filled in, the child reaped).
bool WaitWithLimit(pid_t child, std::chrono::milliseconds limit, int& status);

// Reaps the child whenever it ends, on a thread of its own that nobody waits for, so that a program
// started and left to run never lingers as a zombie.
void ReapWhenEnded(pid_t child);

}  // namespace wakelatch::platform::linux_process
