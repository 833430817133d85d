#include <gtest/gtest.h>

#include "platform/windows/NamedMutexInstanceGuard.h"
#include "platform/windows/WindowsEndRequests.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch {
namespace {

using platform::NamedMutexInstanceGuard;

TEST(InstanceGuard, TheFirstCopyHoldsTheNameForItsLife) {
    const std::string name = testing::Unique("Local\\WakelatchTest.");
    auto first = std::make_unique<NamedMutexInstanceGuard>(name);
    EXPECT_FALSE(first->PreviousInstanceRunning());
    EXPECT_FALSE(first->PreviousInstanceRunning());  // asking again does not find itself
    NamedMutexInstanceGuard second(name);
    EXPECT_TRUE(second.PreviousInstanceRunning());
    // The second copy finds the first by this title: the tray menu window's.
    EXPECT_EQ(second.ApplicationTitle(), "Wakelatch");

    first.reset();
    NamedMutexInstanceGuard third(name);
    EXPECT_FALSE(third.PreviousInstanceRunning());
}

TEST(EndRequests, ABreakSetsTheFlagAndTheEventAndOtherEventsAreNotTaken) {
    platform::InstallEndRequestHandlers();
    platform::InstallEndRequestHandlers();  // once per process
    const HANDLE event = platform::EndRequestEvent();
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_FALSE(platform::EndRequested());

    EXPECT_FALSE(platform::OnConsoleEvent(7));  // not an end request: left to the next handler
    EXPECT_FALSE(platform::EndRequested());
    // Under Wine a process without a terminal has no console to send the break through; the handler
    // then gets it directly.
    if (!GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0)) {
        EXPECT_TRUE(platform::OnConsoleEvent(CTRL_BREAK_EVENT));
    }
    // The handler runs on a thread of its own: the event says when.
    ASSERT_EQ(WaitForSingleObject(event, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(platform::EndRequested());
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0));  // stays set
}

}  // namespace
}  // namespace wakelatch
