#pragma once

#include <map>
#include <memory>
#include <string>

#include "controls/Controls.h"
#include "platform/windows/Win32.h"

namespace wakelatch::win32ui {

// A window's text as UTF-8, and back (the W calls, so that umlauts survive).
std::string TextOf(HWND window);
void SetTextOf(HWND window, const std::string& text);

// A control interface whose caption is the window's text.
template <typename Interface>
class WindowCaptioned : public Interface {
  public:
    explicit WindowCaptioned(HWND window) : window_(window) {}
    void SetText(const std::string& text) override { SetTextOf(window_, text); }
    std::string Text() const override { return TextOf(window_); }

  protected:
    HWND window_;
};

// A label, a button or a frame.
using Win32WindowText = WindowCaptioned<controls::Captioned>;

class Win32CommandButton final : public WindowCaptioned<controls::CommandButton> {
  public:
    using WindowCaptioned::WindowCaptioned;
    void SetEnabled(bool enabled) override;
    bool Enabled() const override;
};

// A check box (BS_AUTOCHECKBOX or BS_AUTO3STATE) or an option button. BM_SETCHECK raises no click, so a
// value set by the program runs no handler.
class Win32Toggle final : public WindowCaptioned<controls::Toggle> {
  public:
    using WindowCaptioned::WindowCaptioned;
    void SetValue(int value) override;
    int Value() const override;
};

// Captioned controls by their documented names; the adapters are owned here.
class Win32CaptionTargets final : public controls::CaptionTargets {
  public:
    controls::Captioned* Find(std::string_view name) override;
    controls::Captioned& Add(const std::string& name, std::unique_ptr<controls::Captioned> control);

  private:
    std::map<std::string, std::unique_ptr<controls::Captioned>, std::less<>> controls_;
};

}  // namespace wakelatch::win32ui
