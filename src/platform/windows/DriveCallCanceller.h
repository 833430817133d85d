#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>

#include "platform/windows/Win32.h"

namespace wakelatch::platform::win_drives {

// Keeps track of the worker threads that are inside a drive call, so that their synchronous I/O can be
// cancelled when the drive platform goes: a thread left in a call to a dead server would otherwise hold
// the ending process until the redirector gives up. Shared with the calls, which may outlive its owner.
// Only I/O already under way is cancelled: a call caught between its start and its first I/O goes on.
class DriveCallCanceller {
  public:
    DriveCallCanceller() = default;
    ~DriveCallCanceller();
    DriveCallCanceller(const DriveCallCanceller&) = delete;
    DriveCallCanceller& operator=(const DriveCallCanceller&) = delete;

    // Runs `work` on the calling thread as a call that CancelAll reaches; nothing after CancelAll.
    template <typename Result>
    std::optional<Result> Run(const std::function<Result()>& work) {
        if (!Enter()) {
            return std::nullopt;
        }
        std::optional<Result> result = work();
        Leave();
        return result;
    }

    // Cancels the synchronous I/O of every thread inside a call; no call starts afterwards.
    void CancelAll();

  private:
    bool Enter();
    void Leave();

    std::mutex mutex_;
    std::map<DWORD, HANDLE> threads_;
    bool cancelled_ = false;
};

}  // namespace wakelatch::platform::win_drives
