#include "platform/common/WorkerPool.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace wakelatch::platform {

struct WorkerPool::Shared {
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<std::pair<std::function<void()>, std::function<void()>>> queue;
    std::size_t idle = 0;
    std::size_t started = 0;
    bool closing = false;
};

WorkerPool::WorkerPool() : shared_(std::make_shared<Shared>()) {}

WorkerPool::~WorkerPool() {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->closing = true;
        shared_->queue.clear();
    }
    shared_->posted.notify_all();
}

void WorkerPool::Post(std::function<void()> work, std::function<void()> then) {
    bool startThread = false;
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->queue.emplace_back(std::move(work), std::move(then));
        startThread = shared_->queue.size() > shared_->idle;
        if (startThread) {
            ++shared_->started;
        }
    }
    if (startThread) {
        // Detached: a thread stuck in a call that never returns must not hold up the pool's end.
        std::thread([shared = shared_] { Serve(shared); }).detach();
    } else {
        shared_->posted.notify_one();
    }
}

std::size_t WorkerPool::ThreadsStarted() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->started;
}

void WorkerPool::Serve(const std::shared_ptr<Shared>& shared) {
    std::unique_lock lock(shared->mutex);
    for (;;) {
        if (shared->queue.empty()) {
            ++shared->idle;
            shared->posted.wait(lock, [&] { return shared->closing || !shared->queue.empty(); });
            --shared->idle;
        }
        if (shared->closing) {
            return;
        }
        auto [work, then] = std::move(shared->queue.front());
        shared->queue.pop_front();
        lock.unlock();
        work();
        if (then) {
            lock.lock();
            ++shared->idle;  // free again before anyone learns the work is done
            lock.unlock();
            then();
            lock.lock();
            --shared->idle;
        } else {
            lock.lock();
        }
    }
}

}  // namespace wakelatch::platform
