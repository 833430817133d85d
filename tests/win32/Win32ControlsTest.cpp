#include <gtest/gtest.h>

#include "ui/win32/CommonControls.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows/Utf.h"

#include "ui/win32/Win32Awaiter.h"
#include "ui/win32/Win32CheckList.h"
#include "ui/win32/Win32MessageBox.h"
#include "ui/win32/Win32Menus.h"
#include "ui/win32/Win32TextMeasurer.h"
#include "ui/win32/Win32Texts.h"
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

class Win32CheckListRows : public Win32Controls {
  protected:
    void SetUp() override {
        Win32Controls::SetUp();
        if (parent_ != nullptr) {
            list_ = std::make_unique<Win32CheckList>(
                Child(WC_LISTBOXW, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY), TwipsRect{});
            for (int row = 0; row < 3; ++row) {
                list_->AddItem("W:\\ \tTEST-W   \t[Festplatte]");
            }
        }
    }
    RECT Row(int row) const {
        RECT rect{};
        SendMessageW(list_->Hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    void MouseTo(int y) const { SendMessageW(list_->Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(200, y)); }
    void MouseToRow(int row) const { MouseTo((Row(row).top + Row(row).bottom) / 2); }
    // The text the list's tooltip holds for its tool.
    std::string TipText() const {
        std::wstring text(1024, L'\0');
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = list_->Hwnd();
        tool.uId = 1;
        tool.lpszText = text.data();
        SendMessageW(list_->TipWindow(), TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
        return platform::utf::Narrow(text.c_str());
    }
    // A row as Draw paints it into a bitmap of its own (not selected, no focus): 0x00RRGGBB pixels.
    std::vector<std::uint32_t> Drawn(int row) const {
        const RECT rect = Row(row);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const HDC dc = CreateCompatibleDC(nullptr);
        const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        const DRAWITEMSTRUCT item{
            ODT_LISTBOX,           0, static_cast<UINT>(row), ODA_DRAWENTIRE, 0, list_->Hwnd(), dc,
            {0, 0, width, height}, 0};
        list_->Draw(item);
        GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        std::vector<std::uint32_t> copy(pixels, pixels + static_cast<std::ptrdiff_t>(width) * height);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return copy;
    }

    std::unique_ptr<Win32CheckList> list_;
};

TEST_F(Win32CheckListRows, TooltipGivesTheHintOfTheRowUnderTheMouse) {
    SKIP_WITHOUT_WINDOW(parent_);
    const std::string missed =
        "Nicht erreicht: Laufwerk nicht vorhanden\nVerbindung fehlgeschlagen (Code 1222)";
    list_->SetRowHint(0, "Noch nicht ber\xC3\xBChrt", false);
    list_->SetRowHint(1, missed, true);
    list_->SetRowHint(2, "", false);
    MouseToRow(1);
    EXPECT_EQ(TipText(), missed);
    MouseToRow(0);
    EXPECT_EQ(TipText(), "Noch nicht ber\xC3\xBChrt");
    list_->SetRowHint(0, "Zuletzt erreicht: 14:02:31", false);
    EXPECT_EQ(TipText(), "Zuletzt erreicht: 14:02:31");  // under the mouse: updated without a move
    MouseToRow(2);
    EXPECT_EQ(TipText(), "");
    MouseTo(Row(2).bottom + 20);  // below the last row
    EXPECT_EQ(TipText(), "");
    MouseToRow(1);
    list_->Clear();
    EXPECT_EQ(TipText(), "");
}

TEST_F(Win32CheckListRows, WarningMarkOnlyOnATickedRowWhoseDriveWasMissed) {
    SKIP_WITHOUT_WINDOW(parent_);
    list_->SetChecked(0, true);
    list_->SetChecked(2, true);
    list_->SetRowHint(1, "missed", true);
    list_->SetRowHint(2, "reached", false);
    ShowWindow(parent_, SW_SHOWNA);  // a hidden window gathers no region to repaint
    UpdateWindow(parent_);
    ValidateRect(list_->Hwnd(), nullptr);
    list_->SetRowHint(0, "missed", true);
    RECT repainted{};
    GetUpdateRect(list_->Hwnd(), &repainted, FALSE);
    const RECT row = Row(0);
    EXPECT_TRUE(EqualRect(&repainted, &row) != FALSE);

    // The mark: warm, saturated pixels (the icon's yellow or orange) within the row's right end.
    const int width = Row(0).right - Row(0).left;
    const int markFrom = width - (Row(0).bottom - Row(0).top) - 4;
    const auto markPixels = [&](const std::vector<std::uint32_t>& pixels) {
        int count = 0;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const int red = (pixels[i] >> 16) & 0xFF, green = (pixels[i] >> 8) & 0xFF,
                      blue = pixels[i] & 0xFF;
            count += static_cast<int>(i % width) >= markFrom && red > 180 && green > 100 && blue < 100;
        }
        return count;
    };
    const std::vector<std::uint32_t> tickedMissed = Drawn(0);
    EXPECT_GT(markPixels(tickedMissed), 10);
    EXPECT_EQ(markPixels(Drawn(1)), 0);  // not ticked
    const std::vector<std::uint32_t> tickedReached = Drawn(2);
    EXPECT_EQ(markPixels(tickedReached), 0);
    // Left of the mark the two ticked rows are drawn alike: the text stays as it is.
    for (std::size_t i = 0; i < tickedMissed.size(); ++i) {
        if (static_cast<int>(i % width) < markFrom && tickedMissed[i] != tickedReached[i]) {
            ADD_FAILURE() << "the rows differ at x " << i % width << ", y " << i / width;
            break;
        }
    }
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

TEST(Win32Texts, TabsShowAsBlanksAndCarriageReturnsBreakLines) {
    EXPECT_EQ(DisplayText("D:\\ \tDaten\t[Festplatte] *Verbunden*"), L"D:\\  Daten [Festplatte] *Verbunden*");
    EXPECT_EQ(DisplayText("E:\\\t\xC3\x84nderung"), L"E:\\ \u00C4nderung");
    EXPECT_EQ(WindowsLineBreaks("Zeile 1\rZeile 2\r"), L"Zeile 1\r\nZeile 2\r\n");
    EXPECT_EQ(WindowsLineBreaks("schon\r\nrichtig"), L"schon\r\nrichtig");
}

// The texts and check marks of menu entries are checked on the real menus; here: an entry outliving its menu.
TEST(Win32MenusTest, AnEntryWhoseMenuWentAnswersNothingAndFailsNothing) {
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 7, L"&Anhalten");
    Win32MenuEntry entry(menu, 7);
    DestroyMenu(menu);
    EXPECT_EQ(entry.Text(), "");
    entry.SetChecked(true);
    EXPECT_FALSE(entry.Checked());
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
