// The windows besides the main one: the options dialog, the splash and the About window.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "fakes/FakeControls.h"
#include "fakes/FakePrograms.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/WindowTexts.h"
#include "platform/windows/WindowsFileSystem.h"
#include "ui/win32/AboutWindow.h"
#include "ui/win32/OptionsDialogView.h"
#include "ui/win32/SplashWindow.h"
#include "ui/win32/Win32Texts.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch::win32ui {
namespace {

// The real dialog over its logic, modal to an owner window; as the program around it, closing goes through
// the view's close check.
struct Dialog final : OptionsHost {
    explicit Dialog(int language) {
        state.ProgramVersion = "1.0.0";
        state.Language = language;
        state.DriveName = 1;
        if (view.Hwnd() == nullptr) {
            return;
        }
        form = std::make_unique<frm_Options>(state, store, messages, *this, view.Controls());
        view.Connect(*form);
        form->Form_Load();
    }
    ~Dialog() override { DestroyWindow(owner); }
    void CloseDialog() override {
        ownerEnabledWhileOpen = IsWindowEnabled(owner) != FALSE;
        view.Close();
    }
    void SetTrayCheckMarks(bool, bool) override {}
    void ExtractHelpFile() override {}
    void SetMainRefreshPending() override {}
    HWND Control(const char* name) const { return view.ControlNamed(name); }
    // The modal loop, ended by what was posted before; a stuck loop is closed after a few seconds.
    bool ExecBounded() {
        static OptionsDialogView* stuck = nullptr;
        stuck = &view;
        const UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
            stuck->CloseWithoutAsking();
            stuck = nullptr;
        });
        view.Exec();
        KillTimer(nullptr, guard);
        return stuck != nullptr;
    }

    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ProgramState state;
    testing::FakeSettingsStore store;
    testing::FakeMessageBox messages;
    OptionsDialogView view{owner};
    std::unique_ptr<frm_Options> form;
    bool ownerEnabledWhileOpen = true;
};

TEST(Win32OptionsDialog, ShowsEveryCaptionOfItsLanguage) {
    for (const int language : {1, 2, 3}) {
        Dialog dialog(language);
        SKIP_WITHOUT_WINDOW(dialog.view.Hwnd());
        for (const testing::ShownText& shown : testing::kOptionsDialogTexts) {
            const std::string name = shown.control;
            const HWND window = name == "frm_Options" ? dialog.view.Hwnd() : dialog.Control(shown.control);
            ASSERT_NE(window, nullptr) << name;
            EXPECT_EQ(TextOf(window), shown.text.at(language - 1)) << name << ", Language " << language;
        }
    }
}

// Save is enabled by the user's changes only: the values the program sets raise no click. The questions are
// unit-tested; here: English chosen by its flag in a German dialog, Escape asking as the close box does, and
// the owner disabled while the dialog is open.
TEST(Win32OptionsDialog, SaveFollowsChangesAndClosingAsksInTheDialogsLanguage) {
    Dialog dialog(1);
    SKIP_WITHOUT_WINDOW(dialog.view.Hwnd());
    const auto saveEnabled = [&] { return IsWindowEnabled(dialog.Control("cmd_Speichern")) != FALSE; };
    EXPECT_FALSE(saveEnabled()) << "setting the controls from the program counts as no change";
    SendMessageW(dialog.Control("chk_Autostart"), BM_CLICK, 0, 0);
    EXPECT_TRUE(saveEnabled());
    const HWND flag = dialog.Control("img_FLAG_ENGLISCH");
    SendMessageW(flag, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(flag, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(TextOf(dialog.Control("cmd_Beenden")), "Cancel");

    dialog.messages.answers = {controls::kAnswerNo, controls::kAnswerNo, controls::kAnswerYes};
    PostMessageW(dialog.Control("chk_Autostart"), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(dialog.Control("cmd_Beenden"), BM_CLICK, 0, 0);
    ASSERT_TRUE(dialog.ExecBounded()) << "the dialog did not close by itself";
    ASSERT_EQ(dialog.messages.shown.size(), 3U);
    EXPECT_EQ(dialog.messages.shown[0].text, "You have change some options, you are sure destroy?");
    EXPECT_TRUE(dialog.store.writes.empty());
    EXPECT_FALSE(dialog.ownerEnabledWhileOpen);
    EXPECT_NE(IsWindowEnabled(dialog.owner), FALSE);
}

// The splash's texts are the same in every language.
TEST(Win32SplashWindow, ShowsItsTextsAndLeavesNoPicture) {
    platform::WindowsFileSystem files;
    SplashWindow splash;
    SKIP_WITHOUT_WINDOW(splash.Hwnd());
    ProgramState state;
    state.ProgramVersion = "1.0.0";
    state.TempDirectory = std::filesystem::temp_directory_path().string();
    splash.Form_Load(state, files);
    EXPECT_EQ(TextOf(splash.ControlNamed("lbl_Programmname")), "Wakelatch");
    EXPECT_EQ(TextOf(splash.ControlNamed("lbl_Programmversion")), "Version 1.0.0");
    EXPECT_EQ(TextOf(splash.ControlNamed("lbl_Copyright")), "© 2026 The Wakelatch developers");
    EXPECT_FALSE(files.Exists(state.TempDirectory + "\\pic_Splash.bmp"));
}

TEST(Win32AboutWindow, ShowsEveryCaptionOfItsLanguageAndClosesByEscape) {
    platform::WindowsFileSystem files;
    testing::FakePrograms programs;  // no system information program
    for (const int language : {1, 2, 3}) {
        ProgramState state;
        state.Language = language;
        state.ProgramVersion = "1.0.0";
        state.TempDirectory = std::filesystem::temp_directory_path().string();
        testing::FakeMessageBox messages;
        AboutWindow about(state, files, programs, messages);
        SKIP_WITHOUT_WINDOW(about.Hwnd());
        about.Form_Load();
        for (const testing::ShownText& shown : testing::kAboutWindowTexts) {
            const std::string name = shown.control;
            const HWND window = name == "frm_About" ? about.Hwnd() : about.ControlNamed(shown.control);
            EXPECT_EQ(TextOf(window), shown.text.at(language - 1)) << name << ", Language " << language;
        }
        EXPECT_FALSE(files.Exists(state.TempDirectory + "\\pic_Info.bmp"));
        if (language == 2) {  // each window shown and hidden costs Wine time: once
            // The system information button, and Escape closing the modal window.
            PostMessageW(about.ControlNamed("cmdSysInfo"), BM_CLICK, 0, 0);
            PostMessageW(about.ControlNamed("cmdOK"), WM_KEYDOWN, VK_ESCAPE, 0);
            about.Exec();
            EXPECT_EQ(IsWindowVisible(about.Hwnd()), FALSE);
            ASSERT_EQ(messages.shown.size(), 1U);
            EXPECT_EQ(messages.shown.front().text, "Systeminformation now are not avaibel.");
        }
    }
}

}  // namespace
}  // namespace wakelatch::win32ui
