#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "platform/linux/Deadline.h"

namespace wakelatch::platform::linux_files {
namespace {

TEST(Deadline, ACallThatReturnsInTimeGivesItsResult) {
    Deadline deadline(std::chrono::milliseconds(2000));
    EXPECT_EQ(deadline.Run<int>("m", [] { return 42; }), 42);
    EXPECT_FALSE(deadline.IsStuck("m"));
}

TEST(Deadline, AHangingCallIsAbandonedAndItsKeyAvoidedUntilItReturns) {
    Deadline deadline(std::chrono::milliseconds(50));
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    EXPECT_FALSE(deadline.Run<int>("dead-share", [released] {
        released.wait();
        return 1;
    }));
    EXPECT_TRUE(deadline.IsStuck("dead-share"));

    bool called = false;
    EXPECT_FALSE(deadline.Run<int>("dead-share", [&] {
        called = true;
        return 2;
    }));
    EXPECT_FALSE(called);  // no second thread stuck on the same share
    EXPECT_EQ(deadline.Run<int>("other", [] { return 3; }), 3);

    release.set_value();
    for (int i = 0; i < 200 && deadline.IsStuck("dead-share"); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(deadline.IsStuck("dead-share"));
    EXPECT_EQ(deadline.Run<int>("dead-share", [] { return 4; }), 4);
}

}  // namespace
}  // namespace wakelatch::platform::linux_files
