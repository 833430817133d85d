#include <gtest/gtest.h>

#include "ui/win32/CommonControls.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/MessageLoop.h"
#include "ui/win32/Win32Awaiter.h"
#include "ui/win32/Win32CheckList.h"
#include "ui/win32/Win32MessageBox.h"
#include "ui/win32/Win32NotificationArea.h"
#include "ui/win32/Win32WindowTimer.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch::win32ui {
namespace {

// A top-level window to hold the control under test.
class Win32Controls : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&common);
        parent_ = CreateWindowExW(0, L"STATIC", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        SKIP_WITHOUT_WINDOW(parent_);
    }
    void TearDown() override { DestroyWindow(parent_); }
    HWND Child(const wchar_t* windowClass, DWORD style) {
        return CreateWindowExW(0, windowClass, nullptr, WS_CHILD | WS_VISIBLE | style, 10, 10, 400, 200,
                               parent_, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    HWND CheckListBox() { return Child(WC_LISTBOXW, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY); }

    HWND parent_ = nullptr;
};

RECT RowOf(const Win32CheckList& list, int row) {
    RECT rect{};
    SendMessageW(list.Hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

// Program-made ticks raise the list's change notification too: only the user's may reach the handler.
TEST_F(Win32Controls, CheckListReportsTheUsersTicksOnlyAndKeepsItsRowsTabs) {
    Win32CheckList list(CheckListBox(), {});
    std::vector<int> userTicks;
    list.SetUserTickHandler([&](int row) { userTicks.push_back(row); });
    list.AddItem("C:\\ \t[Festplatte]");
    list.AddItem("D:\\ \t[Wechseldatentr\xC3\xA4ger]");
    EXPECT_EQ(list.Text(1), "D:\\ \t[Wechseldatentr\xC3\xA4ger]");
    list.SetChecked(0, true);
    EXPECT_TRUE(list.Checked(0));

    const RECT row = RowOf(list, 1);
    const auto click = [&](int x) {
        const LPARAM point = MAKELPARAM(x, (row.top + row.bottom) / 2);
        SendMessageW(list.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(list.Hwnd(), WM_LBUTTONUP, 0, point);
    };
    click(list.BoxRight() / 2);
    click(list.BoxRight() + 40);  // on the text: selects, does not tick
    EXPECT_TRUE(list.Checked(1));
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(userTicks, std::vector<int>{1});
}

// The mark: warm, saturated pixels (the warning icon's yellow or orange) at the row's right end, as Draw
// paints the row into a bitmap of its own.
int WarningMarkPixels(const Win32CheckList& list, int row) {
    const RECT rect = RowOf(list, row);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const auto index = static_cast<UINT>(row);
    list.Draw({ODT_LISTBOX, 0, index, ODA_DRAWENTIRE, 0, list.Hwnd(), dc, {0, 0, width, height}, 0});
    int count = 0;
    for (int x = width - height - 4; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const COLORREF pixel = GetPixel(dc, x, y);
            count += GetRValue(pixel) > 180 && GetGValue(pixel) > 100 && GetBValue(pixel) < 100;
        }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return count;
}

// Each row's hint is the tooltip of the row under the mouse; a ticked row whose drive was missed carries a
// warning mark at its right end.
TEST_F(Win32Controls, CheckListRowHintsShowAsTooltipAndMarkATickedMissedRow) {
    Win32CheckList list(CheckListBox(), {});
    list.AddItem("W:\\ \tTEST-W   \t[Festplatte]");
    list.AddItem("W:\\ \tTEST-W   \t[Festplatte]");
    const auto mouseToRow = [&](int row) {
        const RECT rect = RowOf(list, row);
        SendMessageW(list.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(200, (rect.top + rect.bottom) / 2));
    };
    const auto tipText = [&] {
        std::wstring text(1024, L'\0');
        TTTOOLINFOW tool{TTTOOLINFOW_V2_SIZE, 0, list.Hwnd(), 1, {}, nullptr, text.data(), 0, nullptr};
        SendMessageW(list.TipWindow(), TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
        return platform::utf::Narrow(text.c_str());
    };
    const std::string missed =
        "Nicht erreicht: Laufwerk nicht vorhanden\nVerbindung fehlgeschlagen (Code 1222)";
    list.SetChecked(0, true);
    list.SetRowHint(1, missed, true);
    mouseToRow(1);
    EXPECT_EQ(tipText(), missed);
    mouseToRow(0);
    EXPECT_EQ(tipText(), "");
    EXPECT_EQ(WarningMarkPixels(list, 1), 0) << "missed, not ticked";
    EXPECT_EQ(WarningMarkPixels(list, 0), 0) << "ticked, not missed";
    list.SetRowHint(0, "Nicht erreicht", true);
    EXPECT_EQ(tipText(), "Nicht erreicht") << "under the mouse: updated without a move";
    EXPECT_GT(WarningMarkPixels(list, 0), 10);
}

// The timer's ticks are dispatched while the awaiter waits, as the pass awaits its drives.
TEST_F(Win32Controls, TimerTicksReachTheirHandlerWhileEnabled) {
    Win32WindowTimer timer(parent_);
    int ticks = 0;
    timer.SetTickHandler([&] { ++ticks; });
    timer.SetInterval(20);
    timer.SetEnabled(true);
    EXPECT_TRUE(
        Win32Awaiter([] { return false; }).Await([&] { return ticks >= 2; }, std::chrono::seconds(5)));
}

TEST(Win32Texts, CarriageReturnsBreakLinesInMessageBoxes) {
    EXPECT_EQ(WindowsLineBreaks("Zeile 1\rZeile 2\r\n"), L"Zeile 1\r\nZeile 2\r\n");
}

TEST(Win32AwaiterTest, WakesFromAnotherThreadAndGivesUpWhenEnding) {
    Win32Awaiter awaiter([] { return false; });
    std::atomic<bool> done = false;
    std::thread worker([&] {
        done = true;
        awaiter.Wake();
    });
    EXPECT_TRUE(awaiter.Await([&] { return done.load(); }, std::chrono::seconds(5)));
    worker.join();

    PostQuitMessage(3);
    EXPECT_FALSE(awaiter.Await([] { return false; }, std::chrono::seconds(30)));
    EXPECT_TRUE(awaiter.Ending());
    MSG message{};
    ASSERT_NE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE), FALSE)
        << "kept for the outer loop";
    EXPECT_EQ(message.wParam, 3U);
}

// The icon's clicks are checked on the real program; here: Explorer's restart (TaskbarCreated) brings back
// the icon that is meant to be shown, also one asked for before the taskbar came, and none that is not.
TEST(Win32NotificationArea, TheCallbackIconIsPutBackOnlyWhenMeantToBeShown) {
    bool running = false, present = false;  // Explorer's tray is there; our icon is in it
    NOTIFYICONDATAW last{};
    Win32NotificationArea area([&](DWORD message, NOTIFYICONDATAW& data) {
        last = data;
        present = running && message == NIM_ADD;
        return static_cast<BOOL>(running);
    });
    TrayIcon icon(area);
    icon.Add(false, 0x1234);
    running = true;
    area.TaskbarCreated();
    EXPECT_TRUE(present);
    EXPECT_EQ(last.hWnd, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(std::wstring(last.szTip), L"Wakelatch");  // the record's blank padding is not shown

    icon.Delete();
    area.TaskbarCreated();
    EXPECT_FALSE(present);
}

TEST(Win32MessageLoop, AnEndRequestRunsOnceAndAQuitMetInATurnOfWorkIsKeptForTheLoop) {
    int ends = 0;
    const HANDLE request = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    EXPECT_EQ(win32app::RunMessageLoop(request,
                                       [&ends] {
                                           ++ends;
                                           PostQuitMessage(7);
                                       },
                                       {}),
              7);
    CloseHandle(request);
    EXPECT_EQ(ends, 1);

    PostQuitMessage(3);
    win32app::DispatchWaitingMessages({});
    EXPECT_EQ(win32app::RunMessageLoop(nullptr, {}, {}), 3);
}

}  // namespace
}  // namespace wakelatch::win32ui
