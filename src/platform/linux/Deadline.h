#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace wakelatch::platform::linux_files {

// Runs calls that can hang (statvfs, open, ioctl on a dead network mount) on a worker thread and waits
// at most a fixed time for them. A call that overruns is abandoned, not cancelled: until it returns,
// every further call for the same key (the mount) fails at once, so a dead share costs the wait once.
class Deadline {
  public:
    explicit Deadline(std::chrono::milliseconds limit);

    // The call's result, or nothing when it overran or an earlier call for `key` is still stuck.
    template <typename Result>
    std::optional<Result> Run(const std::string& key, std::function<Result()> call) {
        auto result = std::make_shared<std::optional<Result>>();
        if (!RunWork(key, [result, call = std::move(call)] { *result = call(); })) {
            return std::nullopt;
        }
        return *result;
    }

    bool IsStuck(const std::string& key) const;

  private:
    bool RunWork(const std::string& key, std::function<void()> work);

    struct Shared {
        mutable std::mutex mutex;
        std::map<std::string, int> stuckCalls;
    };
    std::chrono::milliseconds limit_;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

}  // namespace wakelatch::platform::linux_files
