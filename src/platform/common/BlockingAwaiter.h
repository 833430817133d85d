#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/Awaiter.h"

namespace wakelatch::platform {

// Waits on the calling thread without turning any event loop: for tests, benchmarks and tools.
class BlockingAwaiter final : public Awaiter {
  public:
    bool Await(const std::function<bool()>& ready, std::chrono::milliseconds limit) override {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        std::unique_lock lock(mutex_);
        for (;;) {
            const std::uint64_t seen = wakes_;
            lock.unlock();
            if (ready()) {
                return true;
            }
            lock.lock();
            if (!changed_.wait_until(lock, deadline, [&] { return wakes_ != seen; })) {
                lock.unlock();
                return ready();
            }
        }
    }

    void Wake() override {
        {
            const std::lock_guard lock(mutex_);
            ++wakes_;
        }
        changed_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t wakes_ = 0;
};

}  // namespace wakelatch::platform
