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
    EXPECT_EQ(second.ApplicationTitle(), "Wakelatch");
    second.SetApplicationTitle("#XYZ");
    EXPECT_EQ(second.ApplicationTitle(), "#XYZ");

    first.reset();
    NamedMutexInstanceGuard third(name);
    EXPECT_FALSE(third.PreviousInstanceRunning());
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(InstanceGuard, ActivationIsPostedToTheWindowWithTheTitle) {
    const std::string title = testing::Unique("Wakelatch test window ");
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"WakelatchActivationTest";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, platform::utf::Widen(title).c_str(),
                                        WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                        windowClass.hInstance, nullptr);
    if (window == nullptr) {
        if (testing::IntegrationRequired()) {
            FAIL() << "no window could be created, error " << GetLastError();
        }
        GTEST_SKIP() << "no window can be created here (no display for Wine?), error " << GetLastError();
    }
    NamedMutexInstanceGuard guard(testing::Unique("Local\\WakelatchTest."));
    guard.ActivateWindow(title + " (another)");  // no such window: nothing happens
    guard.ActivateWindow(title);

    int activations = 0;
    MSG message{};
    for (int i = 0; i < 1000 && PeekMessageW(&message, window, 0, 0, PM_REMOVE); ++i) {
        activations += message.message == platform::ActivateMessage() ? 1 : 0;
        DispatchMessageW(&message);
    }
    EXPECT_EQ(activations, 1);
    EXPECT_NE(platform::ActivateMessage(), 0U);
    EXPECT_GE(platform::ActivateMessage(), 0xC000U);  // a registered message, the same for every process
    DestroyWindow(window);
}

TEST(EndRequests, AConsoleBreakSetsTheFlagAndTheEvent) {
    platform::InstallEndRequestHandlers();
    platform::InstallEndRequestHandlers();  // once per process
    const HANDLE event = platform::EndRequestEvent();
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_FALSE(platform::EndRequested());

    if (!GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0)) {
        if (testing::IntegrationRequired()) {
            FAIL() << "no console event could be sent, error " << GetLastError();
        }
        GTEST_SKIP() << "this process has no console to send a break to (error " << GetLastError() << ")";
    }
    // The handler runs on a thread of its own: the event says when.
    ASSERT_EQ(WaitForSingleObject(event, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(platform::EndRequested());
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0));  // stays set
}

}  // namespace
}  // namespace wakelatch
