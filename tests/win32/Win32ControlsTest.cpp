#include <gtest/gtest.h>

#include "ui/win32/CommonControls.h"

#include <array>
#include <memory>
#include <thread>
#include <vector>

#include "ui/win32/Win32Awaiter.h"
#include "ui/win32/Win32CheckList.h"
#include "ui/win32/Win32Menus.h"
#include "ui/win32/Win32StatusBar.h"
#include "ui/win32/Win32TextMeasurer.h"
#include "ui/win32/Win32WindowTimer.h"
#include "win32/Win32TestSupport.h"

namespace wakelatch::win32ui {
namespace {

using testing::PumpUntil;

// A top-level window to hold the control under test.
class Win32Controls : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&common);
        parent_ = CreateWindowExW(0, L"STATIC", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override {
        if (parent_ != nullptr) {
            DestroyWindow(parent_);
        }
    }
    HWND Child(const wchar_t* windowClass, DWORD style) {
        return CreateWindowExW(0, windowClass, nullptr, WS_CHILD | WS_VISIBLE | style, 10, 10, 400, 200,
                               parent_, nullptr, GetModuleHandleW(nullptr), nullptr);
    }

    HWND parent_ = nullptr;
};

TEST_F(Win32Controls, CheckListReportsTheUsersTicksOnlyAndKeepsItsRowsTabs) {
    SKIP_WITHOUT_WINDOW(parent_);
    Win32CheckList list(Child(WC_LISTBOXW, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY), {});
    std::vector<int> userTicks;
    list.SetUserTickHandler([&](int row) { userTicks.push_back(row); });
    list.AddItem("C:\\ \t[Festplatte]");
    list.AddItem("D:\\ \t[Wechseldatentr\xC3\xA4ger]");
    EXPECT_EQ(list.Text(1), "D:\\ \t[Wechseldatentr\xC3\xA4ger]");

    list.SetChecked(0, true);
    list.SetChecked(1, true);
    list.SetChecked(1, false);
    EXPECT_TRUE(list.Checked(0));
    EXPECT_FALSE(list.Checked(1));
    EXPECT_TRUE(userTicks.empty());

    RECT row{};
    SendMessageW(list.Hwnd(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const LPARAM onBox = MAKELPARAM(list.BoxRight() / 2, (row.top + row.bottom) / 2);
    SendMessageW(list.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, onBox);
    SendMessageW(list.Hwnd(), WM_LBUTTONUP, 0, onBox);
    EXPECT_TRUE(list.Checked(1));
    EXPECT_EQ(userTicks, std::vector<int>{1});

    const LPARAM onText = MAKELPARAM(list.BoxRight() + 40, (row.top + row.bottom) / 2);
    SendMessageW(list.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, onText);
    SendMessageW(list.Hwnd(), WM_LBUTTONUP, 0, onText);
    EXPECT_TRUE(list.Checked(1));
    EXPECT_EQ(list.ListIndex(), 1);

    SendMessageW(list.Hwnd(), WM_CHAR, L' ', 0);
    EXPECT_FALSE(list.Checked(1));
    EXPECT_EQ(userTicks, (std::vector<int>{1, 1}));
}

// Rows are padded one blank at a time; the measurer adds blanks to the last width instead of measuring
// anew, and that must give what a fresh measurement gives.
TEST_F(Win32Controls, MeasurerCountsTabsAsBlanksAndAddsBlanksExactly) {
    SKIP_WITHOUT_WINDOW(parent_);
    const HWND list = Child(WC_LISTBOXW, 0);
    const Win32TextMeasurer measurer(list);
    const int tabbed = measurer.WidthTwips("C:\\\tSystem");
    EXPECT_EQ(tabbed, Win32TextMeasurer(list).WidthTwips("C:\\ System"));
    EXPECT_GT(tabbed, Win32TextMeasurer(list).WidthTwips("C:\\System"));
    EXPECT_EQ(measurer.WidthTwips("C:\\\tSystem    "), Win32TextMeasurer(list).WidthTwips("C:\\ System    "));
    EXPECT_EQ(tabbed % 15, 0);  // whole pixels at 96 dpi, in whole twips
}

TEST_F(Win32Controls, StatusBarPanelsAreNumberedFromOne) {
    SKIP_WITHOUT_WINDOW(parent_);
    const HWND bar = Child(STATUSCLASSNAMEW, 0);
    std::array<int, 3> parts{100, 200, -1};
    SendMessageW(bar, SB_SETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
    Win32StatusBar status(bar);
    status.SetPanelText(1, "Status: Arbeite...");
    status.SetPanelText(3, "12:00");
    status.SetPanelText(4, "nowhere");
    EXPECT_EQ(status.PanelText(1), "Status: Arbeite...");
    EXPECT_EQ(status.PanelText(2), "");
    EXPECT_EQ(status.PanelText(3), "12:00");
    EXPECT_EQ(status.PanelText(0), "");
    EXPECT_EQ(status.PanelText(4), "");
}

TEST_F(Win32Controls, TimerTicksReachTheirHandlerWhileEnabled) {
    SKIP_WITHOUT_WINDOW(parent_);
    Win32WindowTimer timer(parent_);
    int ticks = 0;
    timer.SetTickHandler([&] {
        ++ticks;
        timer.SetTag(std::to_string(ticks));
    });
    timer.SetInterval(20);
    EXPECT_FALSE(timer.Enabled());
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    timer.SetEnabled(false);
    EXPECT_EQ(timer.Tag(), std::to_string(ticks));
    EXPECT_EQ(timer.Interval(), 20);
}

TEST(Win32MenusTest, EntriesKeepTheirAcceleratorsAndCarryCheckMarks) {
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 7, L"&Anhalten");
    Win32MenuEntry entry(menu, 7);
    EXPECT_EQ(entry.Text(), "&Anhalten");
    entry.SetText("Programmstart in Taskleiste \xC3\xBC&ber");
    EXPECT_EQ(entry.Text(), "Programmstart in Taskleiste \xC3\xBC&ber");
    EXPECT_FALSE(entry.Checked());
    entry.SetChecked(true);
    EXPECT_TRUE(entry.Checked());
    DestroyMenu(menu);
    EXPECT_EQ(entry.Text(), "");  // gone with its window: nothing left, nothing fails
    entry.SetChecked(true);
}

TEST(Win32AwaiterTest, DispatchesWhileWaitingAndWakesFromAnotherThread) {
    Win32Awaiter awaiter([] { return false; });
    static bool timerRan = false;
    timerRan = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { timerRan = true; });
    EXPECT_TRUE(awaiter.Await([] { return timerRan; }, std::chrono::seconds(5)));
    KillTimer(nullptr, timer);

    std::atomic<bool> done = false;
    std::thread worker([&] {
        done = true;
        awaiter.Wake();
    });
    EXPECT_TRUE(awaiter.Await([&] { return done.load(); }, std::chrono::seconds(5)));
    worker.join();
    EXPECT_FALSE(awaiter.Await([] { return false; }, std::chrono::milliseconds(20)));
}

TEST(Win32AwaiterTest, GivesUpAtOnceWhenTheProgramIsEnding) {
    Win32Awaiter ending([] { return true; });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ending.Await([] { return false; }, std::chrono::seconds(30)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    Win32Awaiter quitting([] { return false; });
    PostQuitMessage(3);
    EXPECT_FALSE(quitting.Await([] { return false; }, std::chrono::seconds(30)));
    EXPECT_TRUE(quitting.Ending());
    MSG message{};
    ASSERT_NE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE),
              FALSE);  // kept for the outer loop
    EXPECT_EQ(message.wParam, 3U);
}

}  // namespace
}  // namespace wakelatch::win32ui
