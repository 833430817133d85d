#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeControls.h"
#include "fakes/FakePrograms.h"
#include "platform/windows/WindowsFileSystem.h"
#include "ui/win32/AboutWindow.h"
#include "ui/win32/SplashWindow.h"
#include "ui/win32/Win32Texts.h"
#include "windows/WinBaseSupport.h"

namespace wakelatch::win32ui {
namespace {

// The splash's texts are the same in every language.
TEST(Win32SplashWindow, ShowsItsTextsShapedByItsPictureAndLeavesNoPicture) {
    platform::WindowsFileSystem files;
    testing::ScratchFolder temp;
    SplashWindow splash;
    SKIP_WITHOUT_WINDOW(splash.Hwnd());
    ProgramState state;
    state.ProgramVersion = "1.0.0";
    state.TempDirectory = temp.path();
    splash.Form_Load(state, files);
    EXPECT_EQ(TextOf(splash.ControlNamed("lbl_Programmname")), "Wakelatch");
    EXPECT_EQ(TextOf(splash.ControlNamed("lbl_Programmversion")), "Version 1.0.0");
    EXPECT_EQ(TextOf(splash.ControlNamed("lbl_Copyright")), "© 2026 The Wakelatch developers");
    EXPECT_FALSE(files.Exists(state.TempDirectory + "\\pic_Splash.bmp"));
    // The runs are unit-tested; here: the top-left pixel's colour is cut away.
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(splash.Hwnd(), region), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    DeleteObject(region);
}

TEST(Win32AboutWindow, ShowsEveryCaptionOfItsLanguageAndClosesByEscape) {
    const char* german =
        "ermöglicht es Ihnen, angeschlossene oder an Ihr Netzwerk angebundene Laufwerke, nicht in den "
        "Standby-Modus wechseln zu lassen. Somit sind Ihre Laufwerke immer Zugriffsbereit für Sie. Ausserdem "
        "schont es Ihr Laufwerk, da es kein ständiges Anlaufen aus dem Standby-Modus gibt.";
    const char* english =
        "if it enables you, connected or at your network of connected drives, not to let shift in the "
        "Standby-Modus. Consequently, your drives always are ready for you. Furthermore it spares your drive "
        "since there is not any continuous not starting from the Standby-Modus.";
    const char* germanNotice =
        "Ohne Gewährleistung. Das Programm liest nur von den gewählten Laufwerken und schreibt nie auf sie.";
    const char* englishNotice =
        "Without warranty. The program only reads from the chosen drives and never writes to them.";
    platform::WindowsFileSystem files;
    testing::ScratchFolder temp;
    testing::FakePrograms programs;  // no system information program
    for (const int language : {1, 2, 3}) {
        ProgramState state;
        state.Language = language;
        state.ProgramVersion = "1.0.0";
        state.TempDirectory = temp.path();
        testing::FakeMessageBox messages;
        AboutWindow about(state, files, programs, messages);
        SKIP_WITHOUT_WINDOW(about.Hwnd());
        about.Form_Load();
        struct Case {
            const char* control;  // nullptr: the window's caption
            const char* text;
        };
        for (const Case& c : {Case{nullptr, "Info Wakelatch"}, Case{"lbl_Name", "Wakelatch"},
                              Case{"lbl_Version", "Version 1.0.0"},
                              Case{"lbl_Beschreibung", language == 1 ? german : english},
                              Case{"lbl_Warnung", language == 1 ? germanNotice : englishNotice},
                              Case{"lbl_Copyright", "© 2026 The Wakelatch developers"},
                              Case{"cmdSysInfo", "&System-Info..."}, Case{"cmdOK", "OK"}}) {
            const HWND window = c.control != nullptr ? about.ControlNamed(c.control) : about.Hwnd();
            EXPECT_EQ(TextOf(window), c.text)
                << (c.control != nullptr ? c.control : "caption") << ", Language " << language;
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
