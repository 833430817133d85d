#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/common/WorkerPool.h"
#include "platform/linux/DriveRequests.h"

namespace wakelatch::platform::linux_helper {

// The program's side of the drive helper process: sends requests, and a reader thread hands each reply
// to its caller. The helper is started on first need and again after it died; calls pending in a helper
// that died get no reply (nothing). The program's own threads never touch a mount.
// Send and Start are called on one thread that lives as long as the program, the user-interface thread:
// the helper ends with the thread that started it (PR_SET_PDEATHSIG follows the thread, not the process).
class DriveHelper {
  public:
    using Done = std::function<void(std::optional<Reply>)>;

    // `program`: the helper executable.
    explicit DriveHelper(std::string program);
    // Kills the helper and never waits for it: it may be stuck in a call on a dead drive.
    ~DriveHelper();
    DriveHelper(const DriveHelper&) = delete;
    DriveHelper& operator=(const DriveHelper&) = delete;

    // Starts the request; `done` is called once, on another thread or right here when it cannot be sent.
    void Send(const Request& request, Done done);
    // Starts the helper now, ahead of the first request, so that its start overlaps other work.
    void Start();

    // The helper's process id while it runs (0 otherwise, or when calls run in-process).
    pid_t Pid() const;

  private:
    struct Connection;
    std::shared_ptr<Connection> ConnectionLocked();
    static void ReadReplies(const std::shared_ptr<Connection>& connection);
    static void Close(Connection& connection);

    std::string program_;
    mutable std::mutex mutex_;
    std::shared_ptr<Connection> connection_;
    bool unavailable_ = false;  // the helper cannot be started at all: calls run on in-process workers
    std::uint32_t nextCall_ = 1;
    WorkerPool inProcess_;
};

}  // namespace wakelatch::platform::linux_helper
