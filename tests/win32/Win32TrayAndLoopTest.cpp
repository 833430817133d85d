#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/HelpKey.h"
#include "app/win32/MessageLoop.h"
#include "fakes/FakeSettingsStore.h"
#include "ui/win32/TrayMenuView.h"
#include "ui/win32/Win32NotificationArea.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch::win32ui {
namespace {

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

// The icon's clicks are checked on the real program; here: Explorer's restart (TaskbarCreated) brings back
// the icon that is meant to be shown, also one asked for before the taskbar came, and none that is not.
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

// The icon's callback passes the mouse event kind: a single click does nothing, a double-click restores.
// The entries' logic is unit-tested; here their commands and check marks in the real menu.
TEST(Win32TrayMenu, TheIconAndTheEntriesReachTheirHandlersAndCheckMarksFollowTheSettings) {
    TrayMenuView view;
    SKIP_WITHOUT_WINDOW(view.Hwnd());
    ProgramState state;
    testing::FakeSettingsStore settings;
    RecordingActions actions;
    frm_TrayMenu form(state, settings, view.Controls(), actions);
    view.Connect(form);
    form.Form_Load();
    const auto choose = [&](const char* entry) {
        SendMessageW(view.Hwnd(), WM_COMMAND, view.CommandOf(entry), 0);
    };
    const auto autoChecked = [&] {
        return (GetMenuState(view.Menu(), view.CommandOf("mnuAuto"), MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    SendMessageW(view.Hwnd(), WM_MOUSEMOVE, 2, WM_LBUTTONUP);
    SendMessageW(view.Hwnd(), WM_MOUSEMOVE, 2, WM_LBUTTONDBLCLK);
    view.Controls().mnuStop.SetText("Stop automatic");  // the design caption neither stops nor starts
    for (const char* entry : {"mnuStop", "mnuMax", "mnuInfo", "mnuExit"}) {
        choose(entry);
    }
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"restore", "stop", "restore", "about", "exit"}));
    choose("mnuAuto");
    EXPECT_TRUE(autoChecked());
    choose("mnuAuto");
    EXPECT_FALSE(autoChecked());
    // A second copy looks for the program by its application title.
    EXPECT_EQ(FindWindowW(nullptr, TrayMenuView::kTitle), view.Hwnd());
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
        win32app::DispatchWaitingMessages({});
    }
    PostMessageW(other, WM_KEYDOWN, VK_F1, 1);  // the watch has ended
    win32app::DispatchWaitingMessages({});
    EXPECT_EQ(pressed, 1);
    DestroyWindow(other);
    DestroyWindow(main);
}

}  // namespace
}  // namespace wakelatch::win32ui
