#pragma once

#include <cstddef>
#include <functional>
#include <memory>

namespace wakelatch::platform {

// Threads that run posted work and are kept for the next work. A thread busy with work that hangs never
// holds up other work: a new thread is started only when no idle one is left. The pool may go while work
// still runs; its threads then end as soon as their work returns, and nothing ever waits for them.
class WorkerPool {
  public:
    WorkerPool();
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Runs `work` on a pool thread, then `then` (which may post more work: the thread already counts as
    // free for it, so a caller woken by `then` that posts again reuses this thread).
    void Post(std::function<void()> work, std::function<void()> then = {});
    // How many threads the pool has started so far.
    std::size_t ThreadsStarted() const;

  private:
    struct Shared;
    static void Serve(const std::shared_ptr<Shared>& shared);
    std::shared_ptr<Shared> shared_;
};

}  // namespace wakelatch::platform
