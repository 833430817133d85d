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

// The icon's clicks are checked on the real program; here: Explorer's restart (TaskbarCreated) brings back
// the icon that is meant to be shown, also one asked for before the taskbar came, and none that is not.
TEST(Win32NotificationArea, TheCallbackIconIsPutBackOnlyWhenMeantToBeShown) {
    bool running = false, present = false;  // Explorer's tray is there; our icon is in it
    std::vector<DWORD> calls;
    NOTIFYICONDATAW last{};
    Win32NotificationArea area([&](DWORD message, NOTIFYICONDATAW& data) {
        calls.push_back(message);
        last = data;
        if (running && message != NIM_MODIFY) {
            present = message == NIM_ADD;
        }
        return static_cast<BOOL>(running);
    });
    TrayIcon icon(area);
    icon.Add(false, 0x1234);
    running = true;
    area.TaskbarCreated();
    EXPECT_TRUE(present);
    EXPECT_EQ(last.hWnd, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(std::wstring(last.szTip), L"Wakelatch");  // the record's blank padding is not shown
    present = false;                                    // Explorer restarted: its tray is empty
    area.TaskbarCreated();
    EXPECT_TRUE(present);

    icon.Delete();
    calls.clear();
    area.TaskbarCreated();
    EXPECT_TRUE(calls.empty());
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

// The entries' logic is unit-tested and the icon's clicks are checked on the real program; here the
// entries' commands and a check mark in the real menu.
TEST(Win32TrayMenu, TheEntriesReachTheirHandlersAndCheckMarksFollowTheSettings) {
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
    view.Controls().mnuStop.SetText("Stop automatic");  // the design caption neither stops nor starts
    for (const char* entry : {"mnuStop", "mnuMax", "mnuInfo", "mnuExit"}) {
        choose(entry);
    }
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"stop", "restore", "about", "exit"}));
    choose("mnuAuto");
    EXPECT_NE(GetMenuState(view.Menu(), view.CommandOf("mnuAuto"), MF_BYCOMMAND) & MF_CHECKED, 0U);
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

TEST(Win32HelpKey, F1InAnotherWindowOpensHelpButTheMainWindowAnswersItsOwn) {
    const auto window = [] {
        return CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    };
    const HWND main = window(), other = window();
    SKIP_WITHOUT_WINDOW(main);
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
