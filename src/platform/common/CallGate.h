#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Awaiter.h"
#include "platform/common/WorkerPool.h"

namespace wakelatch::platform {

// The way every platform call that may hang on a drive is made: the work is started elsewhere (a worker
// thread, a helper process) and its result awaited through the Awaiter, at most for a limit. A call that
// overruns is abandoned, not cancelled; until it returns, every further call for the same key (the
// mount) fails at once without starting new work, so a dead share costs one wait and no pile of threads.
class CallGate {
  public:
    // Reports a started call's result, from any thread, once; nothing when the work failed on the way.
    template <typename Result>
    using Done = std::function<void(std::optional<Result>)>;

    explicit CallGate(Awaiter& awaiter);
    ~CallGate();
    CallGate(const CallGate&) = delete;
    CallGate& operator=(const CallGate&) = delete;

    // Starts the work through `start` (which hands its result to the Done it is given) and awaits it.
    // Nothing when the limit passed first, the key is stuck, or the work reported no result.
    template <typename Result>
    std::optional<Result> Call(const std::string& key, std::chrono::milliseconds limit,
                               const std::function<void(Done<Result>)>& start) {
        auto result = std::make_shared<std::optional<Result>>();
        const bool finished = Await(key, limit, [&](const std::function<void()>& finish) {
            start([result, finish](std::optional<Result> value) {
                *result = std::move(value);
                finish();
            });
        });
        return finished ? std::move(*result) : std::nullopt;
    }

    // Runs `work` on one of the gate's reusable worker threads.
    template <typename Result>
    std::optional<Result> Run(const std::string& key, std::chrono::milliseconds limit,
                              std::function<Result()> work) {
        return Call<Result>(key, limit, [&](Done<Result> done) {
            auto result = std::make_shared<std::optional<Result>>();
            workers_.Post([work = std::move(work), result] { *result = work(); },
                          [done = std::move(done), result] { done(std::move(*result)); });
        });
    }

    // Whether an abandoned call for the key has not returned yet.
    bool IsStuck(const std::string& key) const;
    std::size_t WorkersStarted() const { return workers_.ThreadsStarted(); }

  private:
    // Starts the work unless the key is stuck and awaits `finish`; true when it came in time.
    bool Await(const std::string& key, std::chrono::milliseconds limit,
               const std::function<void(const std::function<void()>& finish)>& start);

    struct Shared;
    std::shared_ptr<Shared> shared_;
    Awaiter& awaiter_;
    WorkerPool workers_;
};

}  // namespace wakelatch::platform
