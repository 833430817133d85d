#include "platform/windows/DriveCallCanceller.h"

namespace wakelatch::platform::win_drives {

DriveCallCanceller::~DriveCallCanceller() {
    for (const auto& [id, thread] : threads_) {
        CloseHandle(thread);
    }
}

bool DriveCallCanceller::Enter() {
    // CancelSynchronousIo needs a handle with THREAD_TERMINATE access; GetCurrentThread's is only a
    // stand-in that means "the calling thread".
    const HANDLE thread = OpenThread(THREAD_TERMINATE, FALSE, GetCurrentThreadId());
    const std::lock_guard lock(mutex_);
    if (cancelled_) {
        if (thread != nullptr) {
            CloseHandle(thread);
        }
        return false;
    }
    if (thread != nullptr) {
        threads_[GetCurrentThreadId()] = thread;
    }
    return true;
}

void DriveCallCanceller::Leave() {
    const std::lock_guard lock(mutex_);
    const auto entry = threads_.find(GetCurrentThreadId());
    if (entry != threads_.end()) {
        CloseHandle(entry->second);
        threads_.erase(entry);
    }
}

void DriveCallCanceller::CancelAll() {
    const std::lock_guard lock(mutex_);
    cancelled_ = true;
    for (const auto& [id, thread] : threads_) {
        CancelSynchronousIo(thread);
    }
}

}  // namespace wakelatch::platform::win_drives
