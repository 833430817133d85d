// The call gate (portable) through a scripted awaiter, and the drive helper process it fronts on Linux.
#include <gtest/gtest.h>

#include <signal.h>

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <future>
#include <vector>

#include "platform/ProcessEnded.h"
#include "platform/common/BlockingAwaiter.h"
#include "platform/common/CallGate.h"
#include "platform/linux/DriveHelper.h"

namespace wakelatch::platform {
namespace {

using namespace std::chrono_literals;

// Stands for the event loop: while a call is awaited it runs what the test scripted, then answers whether
// the call is ready; it never sleeps, so "the limit passed" is simply nothing having come in.
class ScriptedAwaiter final : public Awaiter {
  public:
    bool Await(const std::function<bool()>& ready, std::chrono::milliseconds limit) override {
        limits.push_back(limit);
        if (meanwhile) {
            meanwhile();
        }
        return ready();
    }
    void Wake() override { ++wakes; }
    bool Ending() const override { return ending; }

    std::function<void()> meanwhile;
    bool ending = false;
    std::vector<std::chrono::milliseconds> limits;
    int wakes = 0;
};

TEST(CallGate, DeliversAResultThatComesInWhileItWaits) {
    ScriptedAwaiter awaiter;
    CallGate gate(awaiter);
    CallGate::Done<int> pending;
    awaiter.meanwhile = [&] { pending(42); };
    EXPECT_EQ(gate.Call<int>("/mnt/a", 3000ms, [&](CallGate::Done<int> done) { pending = std::move(done); }),
              42);
    EXPECT_EQ(awaiter.limits, std::vector<std::chrono::milliseconds>{3000ms});
    EXPECT_EQ(awaiter.wakes, 1);
    EXPECT_FALSE(gate.IsStuck("/mnt/a"));
}

TEST(CallGate, AStuckKeyIsAnsweredAtOnceWithoutNewWorkUntilItsCallReturns) {
    ScriptedAwaiter awaiter;
    auto gate = std::make_unique<CallGate>(awaiter);
    CallGate::Done<int> stuck;
    EXPECT_FALSE(
        gate->Call<int>("/mnt/dead", 3000ms, [&](CallGate::Done<int> done) { stuck = std::move(done); }));
    EXPECT_TRUE(gate->IsStuck("/mnt/dead"));

    int started = 0;
    const auto start = [&](CallGate::Done<int> done) {
        ++started;
        done(7);
    };
    EXPECT_FALSE(gate->Call<int>("/mnt/dead", 3000ms, start));
    EXPECT_EQ(started, 0);
    EXPECT_EQ(awaiter.limits.size(), 1U);  // not even a wait
    EXPECT_EQ(gate->Call<int>("/mnt/other", 3000ms, start), 7);

    stuck(1);  // the dead share answers at last
    EXPECT_FALSE(gate->IsStuck("/mnt/dead"));
    EXPECT_EQ(gate->Call<int>("/mnt/dead", 3000ms, start), 7);

    // A call that returns after the gate is gone finds nothing to wake.
    EXPECT_FALSE(
        gate->Call<int>("/mnt/late", 3000ms, [&](CallGate::Done<int> done) { stuck = std::move(done); }));
    gate.reset();
    const int wakes = awaiter.wakes;
    stuck(2);
    EXPECT_EQ(awaiter.wakes, wakes);
}

TEST(CallGate, NothingStartsOnceTheProgramIsEnding) {
    ScriptedAwaiter awaiter;
    CallGate gate(awaiter);
    awaiter.ending = true;
    EXPECT_FALSE(gate.Call<int>("/mnt/a", 3000ms, [](CallGate::Done<int>) { ADD_FAILURE() << "started"; }));
    EXPECT_TRUE(awaiter.limits.empty());
}

TEST(CallGate, WorkerThreadsAreReusedAndAStuckOneHoldsUpNoOther) {
    BlockingAwaiter awaiter;
    CallGate gate(awaiter);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(gate.Run<int>("/mnt/a", 5000ms, [i] { return i; }), i);
    }
    EXPECT_EQ(gate.WorkersStarted(), 1U);

    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    EXPECT_FALSE(gate.Run<int>("/mnt/dead", 20ms, [released] {
        released.wait();
        return 0;
    }));
    EXPECT_EQ(gate.Run<int>("/mnt/a", 5000ms, [] { return 9; }), 9);
    EXPECT_EQ(gate.WorkersStarted(), 2U);
    release.set_value();
}

std::optional<linux_helper::Reply> Ask(CallGate& gate, linux_helper::DriveHelper& helper,
                                       const linux_helper::Request& request,
                                       std::chrono::milliseconds limit) {
    return gate.Call<linux_helper::Reply>(request.path, limit, [&](CallGate::Done<linux_helper::Reply> done) {
        helper.Send(request, std::move(done));
    });
}

linux_helper::Request Hold(std::chrono::milliseconds time) {
    linux_helper::Request request;
    request.op = linux_helper::Op::Hold;
    request.path = "hold";
    request.number = static_cast<std::uint64_t>(time.count());
    return request;
}

linux_helper::Request ProbeRoot() {
    linux_helper::Request request;
    request.op = linux_helper::Op::Probe;
    request.path = "/";
    struct stat info {};
    stat("/", &info);
    request.device = info.st_dev;
    return request;
}

// The drive helper of this build behind a gate: nothing it does holds up the caller or the end, and where
// it cannot be started the calls run on in-process threads.
TEST(DriveHelperCalls, NeitherAHelperThatReadsNoMoreNorAHangingCallHoldsUpTheCallerOrTheEnd) {
    BlockingAwaiter awaiter;
    CallGate gate(awaiter);
    auto helper = std::make_unique<linux_helper::DriveHelper>(WAKELATCH_DRIVE_HELPER);
    ASSERT_TRUE(Ask(gate, *helper, ProbeRoot(), 5s));
    const pid_t stopped = helper->Pid();
    kill(stopped, SIGSTOP);  // reads nothing more: its socket's buffer fills up
    linux_helper::Request large = Hold(0ms);
    large.file.assign(60 * 1024, 'x');
    std::atomic<bool> refused = false;
    auto sender = std::async(std::launch::async, [&] {
        for (int i = 0; i < 16 && !refused; ++i) {
            helper->Send(large,
                         [&](std::optional<linux_helper::Reply> reply) { refused = refused || !reply; });
        }
    });
    const bool returned = sender.wait_for(5s) == std::future_status::ready;
    kill(stopped, SIGKILL);  // lets a sender that blocked go on, so that the test ends
    sender.wait();
    EXPECT_TRUE(returned) << "a send waited for a helper that does not read";
    EXPECT_TRUE(refused);

    EXPECT_FALSE(Ask(gate, *helper, Hold(60s), 100ms));
    const auto probed = Ask(gate, *helper, ProbeRoot(), 5s);  // a new helper, serving beside the hanging call
    ASSERT_TRUE(probed);
    EXPECT_GT(probed->totalBlocks, 0U);
    const pid_t pid = helper->Pid();
    EXPECT_NE(pid, stopped);
    const auto ending = std::chrono::steady_clock::now();
    helper.reset();  // with the call still hanging in it
    EXPECT_LT(std::chrono::steady_clock::now() - ending, 1s);
    EXPECT_TRUE(testing::ProcessEndsSoon(pid));

    linux_helper::DriveHelper missing("/nonexistent/wakelatch-drive-helper");
    const auto inProcess = Ask(gate, missing, ProbeRoot(), 5s);
    ASSERT_TRUE(inProcess);
    EXPECT_EQ(inProcess->status, 0);
    EXPECT_EQ(missing.Pid(), 0);
}

}  // namespace
}  // namespace wakelatch::platform
