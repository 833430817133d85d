#pragma once

#include <functional>

#include "platform/Awaiter.h"

class QAbstractEventDispatcher;

namespace wakelatch::qtui {

// Waits for work that runs elsewhere while the event loop turns: clicks, tray messages, timer ticks and
// repaints are handled during the wait, and the thread sleeps in the event dispatcher (no polling) until
// an event, a Wake() or the time limit comes. Created on the user-interface thread after the
// application object; it must outlive everything that may call Wake().
class QtAwaiter final : public platform::Awaiter {
  public:
    // `ending` tells whether the program is on its way out: then no wait is worth its time.
    explicit QtAwaiter(std::function<bool()> ending);

    bool Await(const std::function<bool()>& ready, std::chrono::milliseconds limit) override;
    void Wake() override;
    bool Ending() const override { return ending_ && ending_(); }

  private:
    std::function<bool()> ending_;
    QAbstractEventDispatcher* dispatcher_;
};

}  // namespace wakelatch::qtui
