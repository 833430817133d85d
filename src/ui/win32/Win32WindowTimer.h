#pragma once

#include "controls/Controls.h"
#include "platform/windows/Win32.h"

namespace wakelatch::win32ui {

// A window timer of the owning window (SetTimer). Its WM_TIMER is dispatched by the message loop to
// the tick handler. A tick that comes while the handler still runs (it lets the message loop turn) is
// dropped, as a window timer never calls its handler inside itself.
class Win32WindowTimer final : public controls::WindowTimer {
  public:
    explicit Win32WindowTimer(HWND owner);
    ~Win32WindowTimer() override;
    Win32WindowTimer(const Win32WindowTimer&) = delete;
    Win32WindowTimer& operator=(const Win32WindowTimer&) = delete;

    // A running timer starts its period anew.
    void SetInterval(int milliseconds) override;
    int Interval() const override { return interval_; }
    // Enabling a running timer leaves its period as it is.
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }
    void SetTag(const std::string& tag) override { tag_ = tag; }
    std::string Tag() const override { return tag_; }
    void SetTickHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

  private:
    static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    void Start();
    void Tick();

    HWND owner_;
    UINT_PTR id_;
    int interval_ = 0;
    bool enabled_ = false;
    bool ticking_ = false;
    std::string tag_;
    std::function<void()> handler_;
};

}  // namespace wakelatch::win32ui
