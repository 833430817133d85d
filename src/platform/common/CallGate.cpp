#include "platform/common/CallGate.h"

#include <map>
#include <mutex>

namespace wakelatch::platform {

// Outlives the gate: a call that returns after the gate is gone still finds its bookkeeping here.
struct CallGate::Shared {
    std::mutex mutex;
    std::map<std::string, int> stuckCalls;
    Awaiter* awaiter = nullptr;  // null once the gate is gone
};

namespace {

struct CallState {
    bool done = false;
    bool abandoned = false;
};

}  // namespace

CallGate::CallGate(Awaiter& awaiter) : shared_(std::make_shared<Shared>()), awaiter_(awaiter) {
    shared_->awaiter = &awaiter;
}

CallGate::~CallGate() {
    const std::lock_guard lock(shared_->mutex);
    shared_->awaiter = nullptr;
}

bool CallGate::IsStuck(const std::string& key) const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->stuckCalls.count(key) != 0;
}

bool CallGate::Await(const std::string& key, std::chrono::milliseconds limit,
                     const std::function<void(const std::function<void()>& finish)>& start) {
    // A stuck key, or a program on its way out, starts nothing: no mount, no probe after Exit.
    if (IsStuck(key) || awaiter_.Ending()) {
        return false;
    }
    auto call = std::make_shared<CallState>();
    start([call, shared = shared_, key] {
        const std::lock_guard lock(shared->mutex);
        call->done = true;
        if (call->abandoned && --shared->stuckCalls[key] <= 0) {
            shared->stuckCalls.erase(key);
        }
        // Under the lock: the gate's end waits for a Wake under way, so none reaches an awaiter that
        // may be gone once the gate is.
        if (shared->awaiter != nullptr) {
            shared->awaiter->Wake();
        }
    });
    const auto finished = [&] {
        const std::lock_guard lock(shared_->mutex);
        return call->done;
    };
    if (awaiter_.Await(finished, limit)) {
        return true;
    }
    const std::lock_guard lock(shared_->mutex);
    if (call->done) {
        return true;
    }
    call->abandoned = true;
    ++shared_->stuckCalls[key];
    return false;
}

}  // namespace wakelatch::platform
