#include "app/win32/Win32Application.h"

#include <utility>

#include "app/Startup.h"
#include "app/win32/HelpKey.h"
#include "app/win32/MessageLoop.h"
#include "platform/windows/WindowsEndRequests.h"
#include "ui/win32/AboutWindow.h"
#include "ui/win32/MainWindowView.h"
#include "ui/win32/OptionsDialogView.h"
#include "ui/win32/SplashWindow.h"
#include "ui/win32/TrayMenuView.h"
#include "ui/win32/Win32NotificationArea.h"

namespace wakelatch {

Win32Application::Win32Application()
    : awaiter_([this] { return Ending(); }, [this](MSG& message) { return TranslateDialogMessage(message); }),
      platform_(platform::CreatePlatform(awaiter_)),
      notificationArea_(std::make_unique<win32ui::Win32NotificationArea>()),
      trayIcon_(std::make_unique<TrayIcon>(*notificationArea_)),
      activateMessage_(platform::ActivateMessage()),
      taskbarCreatedMessage_(win32ui::Win32NotificationArea::TaskbarCreatedMessage()) {}

Win32Application::~Win32Application() {
    if (endWait_ != nullptr) {
        UnregisterWaitEx(endWait_, INVALID_HANDLE_VALUE);  // and wait for a callback that is running
    }
}

void CALLBACK Win32Application::PostClose(PVOID window, BOOLEAN) {
    PostMessageW(static_cast<HWND>(window), WM_CLOSE, 0, 0);
}

int Win32Application::Run() {
    StartupServices services{
        instance_, *platform_.folders,     *platform_.settings, *platform_.location, messages_, supportFiles_,
        *this,     &platform::EndRequested};
    const pim_MAIN::StartupOutcome outcome = pim_MAIN::Main(state_, services);
    if (!outcome.keepRunning) {
        return outcome.exitCode;
    }
    if (!mainView_ || !mainView_->Created()) {
        return 1;  // no main window: nothing could ever end the message loop
    }
    // Once the help command has chosen a file, F1 opens it in every window of the program.
    helpKey_ = std::make_unique<win32app::HelpKey>([this] { return mainView_ ? mainView_->Hwnd() : nullptr; },
                                                   [this] { PressHelpKey(); });
    // While a modal window runs its own loop, an end request reaches the program as a close message to
    // the tray-menu window, which every loop dispatches.
    const HANDLE endRequest = platform::EndRequestEvent();
    if (endRequest != nullptr && trayMenuView_) {
        RegisterWaitForSingleObject(&endWait_, endRequest, PostClose,
                                    reinterpret_cast<PVOID>(trayMenuView_->Hwnd()), INFINITE,
                                    WT_EXECUTEONLYONCE);
    }
    // An end request that came after start-up last looked is still set, and the loop sees it at once.
    return win32app::RunMessageLoop(
        platform::EndRequestEvent(), [this] { Shutdown(); },
        [this](MSG& message) { return TranslateDialogMessage(message); });
}

bool Win32Application::TranslateDialogMessage(MSG& message) {
    return mainView_ && mainView_->TranslateDialogMessage(message);
}

void Win32Application::Shutdown() {
    if (mainForm_ && !mainForm_->Unloaded()) {
        UnloadMainWindow();  // the unload handler runs and ends the message loop
    } else {
        PostQuitMessage(0);  // already unloaded: a repeated request still ends the loop
    }
}

bool Win32Application::Ending() const {
    // Asked to end, or the main window has unloaded (Exit): a pass waiting on a drive then gives up at
    // once, so that the message loop can end.
    return platform::EndRequested() || (mainForm_ && mainForm_->Unloaded());
}

std::optional<LRESULT> Win32Application::OnProgramMessage(UINT message, WPARAM wParam) {
    if (message == activateMessage_) {
        BringToFront();
        return 0;
    }
    if (message == taskbarCreatedMessage_) {
        notificationArea_->TaskbarCreated();
        return std::nullopt;
    }
    switch (message) {
        case WM_QUERYENDSESSION:
            // The session may still be cancelled: save what the exit would save, and run on.
            if (mainForm_ && !mainForm_->Unloaded()) {
                mainForm_->SaveSessionState();
            }
            return TRUE;
        case WM_ENDSESSION:
            // The process may be ended as soon as this returns: unload now, as Exit does.
            if (wParam != FALSE) {
                Shutdown();
            }
            return 0;
        default:
            return std::nullopt;
    }
}

void Win32Application::BringToFront() {
    if (mainView_ && mainForm_ && !mainForm_->Unloaded()) {
        mainView_->BringToFront([this] { mainForm_->RestoreFromTray(); });
    }
}

void Win32Application::ShowSplash() {
    splash_ = std::make_unique<win32ui::SplashWindow>();
    splash_->Form_Load(state_, *platform_.files);
    splash_->CentreOnScreen();
    splash_->ShowAndPaint();
}

void Win32Application::LoadTrayMenu() {
    if (trayMenu_) {
        return;
    }
    trayMenuView_ = std::make_unique<win32ui::TrayMenuView>();
    if (mainView_) {
        trayMenuView_->AddCaptionTargets(mainView_->CaptionTargets());
    }
    // The window carries the application title, so a second copy's activation arrives here too. Asked to
    // close (a task manager's polite end, an end request), it ends the program as Exit does instead of
    // going alone and leaving the icon without a window.
    trayMenuView_->SetMessageHook([this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CLOSE) {
            Shutdown();
            return 0;
        }
        return OnProgramMessage(message, wParam);
    });
    trayMenu_ =
        std::make_unique<frm_TrayMenu>(state_, *platform_.settings, trayMenuView_->Controls(), trayEntries_);
    trayMenuView_->Connect(*trayMenu_);
    trayMenu_->Form_Load();
}

void Win32Application::LoadMainWindow() {
    mainView_ = std::make_unique<win32ui::MainWindowView>();
    if (!mainView_->Created()) {
        return;
    }
    if (trayMenuView_) {
        trayMenuView_->AddCaptionTargets(mainView_->CaptionTargets());
    }
    const auto yield = [this] {
        win32app::DispatchWaitingMessages([this](MSG& message) { return TranslateDialogMessage(message); });
    };
    mainForm_ = std::make_unique<frm_Main>(
        state_, mainView_->Controls(),
        frm_Main::Services{*platform_.settings, *platform_.location, *platform_.autostart, *this, *trayIcon_,
                           *platform_.drives, mainView_->DriveListMeasurer(), yield,
                           [](int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }});
    mainView_->Connect(*mainForm_);
    mainView_->SetUnloadHandler([this] {
        mainForm_->Form_Unload();
        PostQuitMessage(0);
    });
    mainView_->SetHelpHandler([this] { PressHelpKey(); });
    mainView_->SetMessageHook(
        [this](UINT message, WPARAM wParam, LPARAM) { return OnProgramMessage(message, wParam); });
    mainForm_->Form_Load();
}

void Win32Application::UnloadSplash() {
    splash_.reset();
}

void Win32Application::ShowMainWindow() {
    ShowWindow(mainView_->Hwnd(), SW_SHOW);
    SetForegroundWindow(mainView_->Hwnd());
}

void Win32Application::TrayAction() {
    mainForm_->TRAY_ACTION();
}

bool Win32Application::TrayAvailable() {
    // Without a notification area the program never hides where the user cannot find it.
    return trayIcon_->Available();
}

void Win32Application::UnloadTrayMenu() {
    trayMenu_.reset();
    trayMenuView_.reset();
}

std::uintptr_t Win32Application::TrayMenuWindow() {
    LoadTrayMenu();
    return reinterpret_cast<std::uintptr_t>(trayMenuView_->Hwnd());
}

void Win32Application::UnloadMainWindow() {
    if (mainView_) {
        mainView_->Close();
    }
}

void Win32Application::CloseOtherWindows() {
    // Last opened first; unsaved edits in the options dialog are dropped: a question would stall the end.
    if (aboutWindow_ != nullptr) {
        aboutWindow_->Close();
    }
    if (optionsView_ != nullptr) {
        optionsView_->CloseWithoutAsking();
    }
}

void Win32Application::ShowOptionsDialog() {
    win32ui::OptionsDialogView view;  // modal, without owner
    frm_Options form(state_, *platform_.settings, messages_, *this, view.Controls());
    view.Connect(form);
    form.Form_Load();
    view.CentreOnScreen();
    optionsView_ = &view;
    view.Exec();
    optionsView_ = nullptr;
}

void Win32Application::CloseDialog() {
    if (optionsView_ != nullptr) {
        optionsView_->Close();
    }
}

void Win32Application::SetTrayCheckMarks(bool autoStart, bool autoTray) {
    LoadTrayMenu();
    trayMenu_->SetCheckMarks(autoStart, autoTray);
}

void Win32Application::ExtractHelpFile() {
    supportFiles_.ExtractHelpFile(state_);
}

void Win32Application::SetMainRefreshPending() {
    if (mainForm_) {
        mainForm_->RequestRefresh();
    }
}

void Win32Application::ShowAbout() {
    ShowAboutWindow(mainView_ ? mainView_->Hwnd() : nullptr);
}

void Win32Application::ShowAboutWindow(HWND owner) {
    win32ui::AboutWindow about(state_, *platform_.files, *platform_.programs, messages_, owner);
    win32ui::AboutWindow* const outer = std::exchange(aboutWindow_, &about);
    about.Form_Load();
    about.Exec();
    aboutWindow_ = outer;
}

void Win32Application::SetApplicationHelpFile(const std::string& fileName) {
    helpFile_ = supportFiles_.HelpFilePath(fileName);
}

void Win32Application::PressHelpKey() {
    if (!helpFile_.empty()) {
        platform_.programs->OpenHelpFile(helpFile_);
    }
}

}  // namespace wakelatch
