#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/Win32.h"
#include "ui/main/frm_Main.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Geometry.h"
#include "ui/win32/Win32CheckList.h"
#include "ui/win32/Win32FormWindow.h"
#include "ui/win32/Win32Slider.h"
#include "ui/win32/Win32StatusBar.h"
#include "ui/win32/Win32TextMeasurer.h"
#include "ui/win32/Win32Texts.h"
#include "ui/win32/Win32WindowTimer.h"

namespace wakelatch::win32ui {

// The main window's controls, named and placed as the program documents them, and their adapters.
// Behaviour lives in frm_Main; this class only builds the window and forwards its messages to it. The
// window is created hidden; frm_Main places, shows and hides it.
class MainWindowView final {
  public:
    MainWindowView();
    ~MainWindowView();
    MainWindowView(const MainWindowView&) = delete;
    MainWindowView& operator=(const MainWindowView&) = delete;

    // False when no window could be created (no desktop): nothing else here then does anything.
    bool Created() const { return hwnd_ != nullptr; }
    HWND Hwnd() const { return hwnd_; }
    // A control by its documented name (also "sbStatusBar"); null for none.
    HWND ControlNamed(std::string_view name) const;

    frm_Main::Controls Controls();
    const controls::TextMeasurer& DriveListMeasurer() const { return *measurer_; }
    // The captioned controls of this window; the tray menu adds its entries.
    Win32CaptionTargets& CaptionTargets() { return texts_; }

    // Forwards the controls' events to the window's handlers.
    void Connect(frm_Main& form);

    // Called once when the window is closed (close box, Close()): the unload handler. The window is
    // destroyed after it; whoever runs the message loop ends it from the handler.
    void SetUnloadHandler(std::function<void()> handler) { unloadHandler_ = std::move(handler); }
    // The help key (F1) anywhere in the window.
    void SetHelpHandler(std::function<void()> handler) { helpHandler_ = std::move(handler); }
    // Sees every message of the window first; a value is the message's result and ends its handling.
    using MessageHook = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;
    void SetMessageHook(MessageHook hook) { hook_ = std::move(hook); }

    // As the close box: the unload handler (once), then the window goes.
    void Close();
    // A second copy of the program asked for this one: show it, in front.
    void BringToFront(const std::function<void()>& restoreFromTray);
    // Keyboard navigation between the controls (Tab, arrows), for the message loop: true when taken.
    bool TranslateDialogMessage(MSG& message);

  private:
    struct Placed {
        std::string name;
        HWND hwnd = nullptr;
        TwipsRect place;                 // in the client area
        std::optional<TwipsRect> frame;  // drawn only inside this frame
    };

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnScroll(WPARAM wParam, LPARAM lParam);
    void OnShown(bool shown);

    HWND AddControl(const char* name, const wchar_t* windowClass, const wchar_t* text, DWORD style,
                    TwipsRect place, std::optional<TwipsRect> frame = {}, int id = 0, DWORD exStyle = 0);
    HWND AddLabel(const char* name, DWORD alignment, TwipsRect place, std::optional<TwipsRect> frame = {});
    HWND AddButton(const char* name, int id, int left);
    void BuildMenus();
    void BuildControls();
    void BuildStatusBar();
    // Fonts, places and sizes for the window's DPI.
    void ApplyDpi();
    void LayoutStatusBar();
    void UpdateClock();

    HWND hwnd_ = nullptr;
    HWND statusBarHwnd_ = nullptr;
    HWND savedHeadingHwnd_ = nullptr;
    UniqueFont font_;
    UniqueFont smallFont_;
    std::vector<Placed> placed_;

    Win32CaptionTargets texts_;
    std::unique_ptr<Win32FormWindow> window_;
    std::unique_ptr<Win32StatusBar> statusBar_;
    std::unique_ptr<Win32WindowTimer> standbyTimer_;
    std::unique_ptr<Win32WindowTimer> passTimer_;
    std::unique_ptr<Win32Slider> slider_;
    std::unique_ptr<Win32CheckList> driveList_;
    std::unique_ptr<Win32CheckList> substituteList_;
    std::unique_ptr<Win32TextMeasurer> measurer_;

    std::map<UINT, std::function<void()>> commands_;
    std::function<void()> sliderMoving_;
    std::function<void()> sliderSettled_;
    std::function<void()> unloadHandler_;
    std::function<void()> helpHandler_;
    MessageHook hook_;
    bool unloaded_ = false;
    bool clockRunning_ = false;
};

}  // namespace wakelatch::win32ui
