#pragma once

#include <chrono>
#include <functional>

namespace wakelatch::platform {

// How the user-interface thread waits for work that runs elsewhere (a call that may hang on a drive).
// The program's awaiter keeps the event loop turning meanwhile, so clicks, tray messages, timer ticks
// and repaints are handled and no wait for a drive ever freezes a window. Tests and tools use a
// blocking awaiter.
class Awaiter {
  public:
    virtual ~Awaiter() = default;
    // Returns true as soon as `ready()` is true; false when `limit` has passed first, or when the
    // program is ending (then nothing is worth waiting for). `ready` is only called on this thread.
    virtual bool Await(const std::function<bool()>& ready, std::chrono::milliseconds limit) = 0;
    // Any thread: something an Await waits for may have become ready.
    virtual void Wake() = 0;
    // Whether the program is on its way out: then no new work on a drive is worth starting.
    virtual bool Ending() const { return false; }
};

}  // namespace wakelatch::platform
