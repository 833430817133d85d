#include "platform/linux/Deadline.h"

#include <condition_variable>
#include <thread>

namespace wakelatch::platform::linux_files {
namespace {

struct CallState {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;
};

}  // namespace

Deadline::Deadline(std::chrono::milliseconds limit) : limit_(limit) {}

bool Deadline::IsStuck(const std::string& key) const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->stuckCalls.count(key) != 0;
}

bool Deadline::RunWork(const std::string& key, std::function<void()> work) {
    if (IsStuck(key)) {
        return false;
    }
    auto call = std::make_shared<CallState>();
    std::thread([call, shared = shared_, key, work = std::move(work)] {
        work();
        const std::lock_guard lock(call->mutex);
        call->done = true;
        call->finished.notify_all();
        if (call->abandoned) {
            const std::lock_guard sharedLock(shared->mutex);
            if (--shared->stuckCalls[key] <= 0) {
                shared->stuckCalls.erase(key);
            }
        }
    }).detach();

    std::unique_lock lock(call->mutex);
    if (call->finished.wait_for(lock, limit_, [&] { return call->done; })) {
        return true;
    }
    call->abandoned = true;
    const std::lock_guard sharedLock(shared_->mutex);
    ++shared_->stuckCalls[key];
    return false;
}

}  // namespace wakelatch::platform::linux_files
