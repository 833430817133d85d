#include "ui/win32/Win32WindowTimer.h"

#include <algorithm>
#include <map>

namespace wakelatch::win32ui {
namespace {

// Timers of the user-interface thread by id; the ids are the program's own, so they never meet the
// ids that a window's code passes to SetTimer itself (those are small numbers).
std::map<UINT_PTR, Win32WindowTimer*>& Timers() {
    static std::map<UINT_PTR, Win32WindowTimer*> timers;
    return timers;
}

UINT_PTR NextId() {
    static UINT_PTR next = 0x7A000;
    return ++next;
}

}  // namespace

Win32WindowTimer::Win32WindowTimer(HWND owner) : owner_(owner), id_(NextId()) {
    Timers()[id_] = this;
}

Win32WindowTimer::~Win32WindowTimer() {
    if (enabled_) {
        KillTimer(owner_, id_);
    }
    Timers().erase(id_);
}

void CALLBACK Win32WindowTimer::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    const auto it = Timers().find(id);
    if (it != Timers().end()) {
        it->second->Tick();
    }
}

void Win32WindowTimer::Start() {
    SetTimer(owner_, id_, static_cast<UINT>(std::max(interval_, 0)), OnTimer);
}

void Win32WindowTimer::SetInterval(int milliseconds) {
    interval_ = milliseconds;
    if (enabled_) {
        Start();
    }
}

void Win32WindowTimer::SetEnabled(bool enabled) {
    if (enabled && !enabled_) {
        Start();
    } else if (!enabled && enabled_) {
        KillTimer(owner_, id_);
    }
    enabled_ = enabled;
}

void Win32WindowTimer::Tick() {
    if (ticking_ || !enabled_ || !handler_) {
        return;
    }
    ticking_ = true;
    handler_();
    ticking_ = false;
}

}  // namespace wakelatch::win32ui
