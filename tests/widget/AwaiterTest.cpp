#include <gtest/gtest.h>

#include <QTimer>

#include <thread>

#include "ui/qt/QtAwaiter.h"

namespace wakelatch {
namespace {

using namespace std::chrono_literals;

// The wait for a drive call: events are handled meanwhile, a wake from another thread ends it as soon
// as the work is ready, and neither the limit nor the program's end is waited past.
TEST(QtAwaiter, HandlesEventsAndEndsOnTheWorkersWake) {
    qtui::QtAwaiter awaiter([] { return false; });
    bool timerFired = false;
    QTimer::singleShot(10, [&] { timerFired = true; });
    std::atomic<bool> done = false;
    std::thread worker([&] {
        std::this_thread::sleep_for(60ms);
        done = true;
        awaiter.Wake();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(awaiter.Await([&] { return done.load(); }, 5s));
    worker.join();
    EXPECT_TRUE(timerFired);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

TEST(QtAwaiter, GivesUpAtTheLimitAndWhenTheProgramEnds) {
    qtui::QtAwaiter patient([] { return false; });
    EXPECT_FALSE(patient.Await([] { return false; }, 30ms));

    bool ending = false;
    qtui::QtAwaiter leaving([&] { return ending; });
    QTimer::singleShot(10, [&] { ending = true; });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(leaving.Await([] { return false; }, 10s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

}  // namespace
}  // namespace wakelatch
