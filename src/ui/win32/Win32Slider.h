#pragma once

#include "controls/Controls.h"
#include "ui/win32/CommonControls.h"

namespace wakelatch::win32ui {

// What a trackbar's scroll message (its code) means to the window's handlers.
enum class SliderEvent {
    Moving,   // the thumb is dragged
    Settled,  // a key, a click on the channel or the end of a drag put it somewhere
    Ended,    // the user let go: the pop-up text goes
};
SliderEvent SliderEventOf(int scrollCode);

// A msctls_trackbar32 with a tracking tooltip of its own: the trackbar's built-in one shows only the
// position, the window wants its own text beside the thumb.
class Win32Slider final : public controls::Slider {
  public:
    explicit Win32Slider(HWND trackbar);
    ~Win32Slider() override;
    Win32Slider(const Win32Slider&) = delete;
    Win32Slider& operator=(const Win32Slider&) = delete;

    // TBM_SETPOS sends no scroll message: no handler runs.
    void SetValue(int position) override;
    int Value() const override;
    void ShowPopupText(const std::string& text) override;
    void HidePopupText();

    // Whether the position differs from the one last settled (set by the program or by Settled()); the
    // position becomes the settled one.
    bool Settle();

    HWND Hwnd() const { return trackbar_; }
    HWND PopupWindow() const { return tooltip_; }

  private:
    void ToolInfo(TTTOOLINFOW& info, wchar_t* text) const;

    HWND trackbar_;
    HWND tooltip_ = nullptr;
    int settled_ = 0;
};

}  // namespace wakelatch::win32ui
