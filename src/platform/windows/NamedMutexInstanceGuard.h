#pragma once

#include <string>

#include "platform/InstanceGuard.h"
#include "platform/windows/Handles.h"

namespace wakelatch::platform {

// The registered window message a second copy posts to the first copy's main window: the front end
// answers it by restoring the window (also out of the tray) and bringing it to the front.
inline constexpr const wchar_t* kActivateMessageName = L"Wakelatch.Activate";
// The message's number in this session (RegisterWindowMessageW of the name).
unsigned ActivateMessage();

// One copy per session: a named mutex that the first copy holds for its whole life.
class NamedMutexInstanceGuard final : public InstanceGuard {
  public:
    static constexpr const char* kMutexName = "Local\\Wakelatch.SingleInstance";

    explicit NamedMutexInstanceGuard(std::string mutexName = kMutexName, std::string title = "Wakelatch");

    bool PreviousInstanceRunning() override;
    std::string ApplicationTitle() const override { return title_; }
    void SetApplicationTitle(const std::string& title) override { title_ = title; }
    // Posts the activation message to the top-level window with this title and lets its process take the
    // foreground; does nothing when there is no such window.
    void ActivateWindow(const std::string& title) override;

  private:
    std::string mutexName_;
    std::string title_;
    win32::UniqueHandle mutex_;
};

}  // namespace wakelatch::platform
