#pragma once

namespace wakelatch::platform::linux_signals {

// The read end of the self-pipe the end-request handler writes one byte to per signal, so that an event
// loop can wake on it; -1 when the handlers could not be installed. Never blocks.
int EndRequestWakeUpFd();

// Reads away the bytes waiting in the self-pipe, so that it wakes the loop again at the next signal.
void DrainEndRequestWakeUps();

}  // namespace wakelatch::platform::linux_signals
