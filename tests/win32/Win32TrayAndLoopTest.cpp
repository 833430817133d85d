#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/HelpKey.h"
#include "app/win32/MessageLoop.h"
#include "fakes/FakeSettingsStore.h"
#include "ui/win32/TrayMenuView.h"
#include "ui/win32/Win32NotificationArea.h"
#include "win32/Win32TestSupport.h"

namespace wakelatch::win32ui {
namespace {

using testing::PumpPending;

// Shell_NotifyIconW as the shell answers it: one icon per window and id; the calls written down.
struct FakeShell {
    Win32NotificationArea::ShellCall Call() {
        return [this](DWORD message, NOTIFYICONDATAW& data) {
            calls.push_back(message);
            last = data;
            if (!running) {
                return FALSE;
            }
            const bool had = present;
            present = message == NIM_ADD ? true : message == NIM_DELETE ? false : present;
            return message == NIM_ADD ? static_cast<BOOL>(!had) : static_cast<BOOL>(had);
        };
    }
    std::vector<DWORD> calls;
    NOTIFYICONDATAW last{};  // the last record passed
    bool running = true;     // Explorer's tray is there
    bool present = false;
};

// The classic callback icon: the tray menu window gets WM_MOUSEMOVE with the mouse event in lParam.
// Explorer's restart (TaskbarCreated) brings back the icon that is meant to be shown, also one asked for
// before the taskbar came, and none that is not.
TEST(Win32NotificationArea, TheCallbackIconIsPutBackOnlyWhenMeantToBeShown) {
    FakeShell shell;
    shell.running = false;
    Win32NotificationArea area(shell.Call());
    TrayIcon icon(area);
    area.TaskbarCreated();  // nothing was shown
    EXPECT_TRUE(shell.calls.empty());

    icon.Add(false, 0x1234);
    EXPECT_FALSE(shell.present);
    shell.running = true;
    area.TaskbarCreated();
    EXPECT_TRUE(shell.present);
    shell.present = false;  // Explorer restarted: its tray is empty
    area.TaskbarCreated();
    EXPECT_TRUE(shell.present);
    EXPECT_EQ(shell.calls.back(), static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(shell.last.hWnd, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(shell.last.uID, 2U);
    EXPECT_EQ(shell.last.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(shell.last.uCallbackMessage, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(std::wstring(shell.last.szTip), L"Wakelatch");  // the record's blank padding is not shown

    icon.Delete();
    EXPECT_FALSE(shell.present);
    shell.calls.clear();
    area.TaskbarCreated();
    EXPECT_TRUE(shell.calls.empty());
}

// What the tray menu's entries asked for.
class RecordingActions final : public TrayMenuActions {
  public:
    void RestoreFromTray() override { calls.push_back("restore"); }
    void StopAutomatic() override { calls.push_back("stop"); }
    void StartAutomatic() override { calls.push_back("start"); }
    void ShowAbout() override { calls.push_back("about"); }
    void cmd_Beenden_Click() override { calls.push_back("exit"); }
    std::vector<std::string> calls;
};

class Win32TrayMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        view_ = std::make_unique<TrayMenuView>();
        SKIP_WITHOUT_WINDOW(view_->Hwnd());
        form_ = std::make_unique<frm_TrayMenu>(state_, settings_, view_->Controls(), actions_);
        view_->Connect(*form_);
        form_->Form_Load();
    }
    void Choose(const char* entry) { SendMessageW(view_->Hwnd(), WM_COMMAND, view_->CommandOf(entry), 0); }

    ProgramState state_;
    testing::FakeSettingsStore settings_;
    RecordingActions actions_;
    std::unique_ptr<TrayMenuView> view_;
    std::unique_ptr<frm_TrayMenu> form_;
};

// The icon's callback passes the mouse event kind: a single click does nothing, a double-click restores.
TEST_F(Win32TrayMenu, TheIconAndTheEntriesReachTheirHandlersAndCheckMarksFollowTheSettings) {
    SendMessageW(view_->Hwnd(), WM_MOUSEMOVE, 2, WM_LBUTTONUP);
    SendMessageW(view_->Hwnd(), WM_MOUSEMOVE, 2, WM_LBUTTONDBLCLK);
    Choose("mnuStop");  // the design caption neither stops nor starts
    view_->Controls().mnuStop.SetText("Stop automatic");
    Choose("mnuStop");
    Choose("mnuMax");
    Choose("mnuInfo");
    Choose("mnuExit");
    EXPECT_EQ(actions_.calls, (std::vector<std::string>{"restore", "stop", "restore", "about", "exit"}));

    Choose("mnuAuto");
    EXPECT_TRUE(state_.AutoStart);
    EXPECT_EQ(settings_.Get("AutoStart"), "True");
    EXPECT_NE(GetMenuState(view_->Menu(), view_->CommandOf("mnuAuto"), MF_BYCOMMAND) & MF_CHECKED, 0U);
    Choose("mnuAuto");
    EXPECT_FALSE(state_.AutoStart);
    EXPECT_EQ(GetMenuState(view_->Menu(), view_->CommandOf("mnuAuto"), MF_BYCOMMAND) & MF_CHECKED, 0U);
    // A second copy looks for the program by its application title.
    EXPECT_EQ(FindWindowW(nullptr, TrayMenuView::kTitle), view_->Hwnd());
}

TEST(Win32MessageLoop, AnEndRequestRunsOnceAndAQuitMetInATurnOfWorkIsKeptForTheLoop) {
    int ends = 0;
    const auto end = [&ends] {
        ++ends;
        PostQuitMessage(7);
    };
    const HANDLE request = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    EXPECT_EQ(win32app::RunMessageLoop(request, end, {}), 7);
    CloseHandle(request);
    EXPECT_EQ(ends, 1);

    PostQuitMessage(3);
    win32app::DispatchWaitingMessages({});
    EXPECT_EQ(win32app::RunMessageLoop(nullptr, {}, {}), 3);
}

TEST(Win32HelpKey, F1InAnotherWindowOpensHelpButTheMainWindowAnswersItsOwn) {
    const HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    SKIP_WITHOUT_WINDOW(main);
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    int pressed = 0;
    {
        win32app::HelpKey help([main] { return main; }, [&pressed] { ++pressed; });
        PostMessageW(main, WM_KEYDOWN, VK_F1, 1);
        PostMessageW(other, WM_KEYDOWN, VK_F1, 1);
        PostMessageW(other, WM_KEYDOWN, VK_F1, 1 | (1L << 30));  // held down: a repeat
        PumpPending();
    }
    PostMessageW(other, WM_KEYDOWN, VK_F1, 1);  // the watch has ended
    PumpPending();
    EXPECT_EQ(pressed, 1);
    DestroyWindow(other);
    DestroyWindow(main);
}

}  // namespace
}  // namespace wakelatch::win32ui
