#pragma once

#include <functional>
#include <string>
#include <string_view>

// The few kinds of control the windows' logic holds. The Qt layer adapts real widgets to them; tests
// give fakes that record state. Geometry is in twips (1/1440 inch).
namespace wakelatch::controls {

// A top-level window: its caption, placement and visibility.
class FormWindow {
  public:
    virtual ~FormWindow() = default;

    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;

    // Puts the window at left/top with a fixed width/height. A place that would lie off every screen is
    // moved onto the primary screen.
    virtual void SetPlacement(float left, float top, float width, float height) = 0;
    // The current placement; a window that was not moved or resized reports exactly what it was given.
    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;

    virtual bool IsMinimised() const = 0;
    virtual bool IsVisible() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void Minimise() = 0;  // to the task bar
};

// A status bar of numbered panels, the first panel being 1.
class StatusBar {
  public:
    virtual ~StatusBar() = default;
    virtual void SetPanelText(int panel, const std::string& text) = 0;
    virtual std::string PanelText(int panel) const = 0;
};

// A window timer: ticks every interval milliseconds while enabled, on the user-interface thread. Its tag
// is free text the program keeps with it.
class WindowTimer {
  public:
    virtual ~WindowTimer() = default;
    virtual void SetInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetTag(const std::string& tag) = 0;
    virtual std::string Tag() const = 0;
    virtual void SetTickHandler(std::function<void()> handler) = 0;
};

// A control that shows a text: label, button, frame.
class Captioned {
  public:
    virtual ~Captioned() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual std::string Text() const = 0;
};

// A button that can be switched off.
class CommandButton : public Captioned {
  public:
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
};

// A check box (value 0 unchecked, 1 checked, 2 greyed) or an option button (0 clear, 1 selected), with
// its caption. Setting the value from the program runs none of the control's handlers.
class Toggle : public Captioned {
  public:
    virtual void SetValue(int value) = 0;
    virtual int Value() const = 0;
};

// An entry of a menu: its caption and, for entries that carry one, its check mark.
class MenuEntry : public Captioned {
  public:
    virtual void SetChecked(bool checked) = 0;
    virtual bool Checked() const = 0;
};

// A menu shown as a pop-up where the mouse is.
class PopupMenu {
  public:
    virtual ~PopupMenu() = default;
    virtual void PopupAtCursor() = 0;
};

// The captioned controls of a window (and its menus) by their documented names.
class CaptionTargets {
  public:
    virtual ~CaptionTargets() = default;
    // Null when the window has no control of that name.
    virtual Captioned* Find(std::string_view name) = 0;
};

// A list of text rows, each with a tick box. The ticks are the list's selection; the highlighted row
// (ListIndex, -1 for none) is unrelated to them.
class CheckList {
  public:
    virtual ~CheckList() = default;
    virtual int Count() const = 0;
    virtual std::string Text(int row) const = 0;
    virtual bool Checked(int row) const = 0;
    virtual void SetChecked(int row, bool checked) = 0;
    virtual void AddItem(const std::string& text) = 0;
    virtual void Clear() = 0;
    virtual int ListIndex() const = 0;
    virtual void SetListIndex(int row) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void Move(float left, float top) = 0;  // twips inside its container
    virtual float Width() const = 0;               // twips
    virtual void Refresh() = 0;                    // repaint now
    // The row's tooltip and accessible description (empty for none), and whether the drive's last touch
    // missed it: a ticked row then carries the warning mark. The row's text stays as it is.
    virtual void SetRowHint(int row, const std::string& hint, bool missed) = 0;
};

// The rendered width of a text, in whole twips, in the font of the drive list.
class TextMeasurer {
  public:
    virtual ~TextMeasurer() = default;
    virtual int WidthTwips(const std::string& text) const = 0;
};

// A slider with whole-number positions.
class Slider {
  public:
    virtual ~Slider() = default;
    // Moves the thumb without running the slider's own change handlers.
    virtual void SetValue(int position) = 0;
    virtual int Value() const = 0;
    // The small text shown beside the thumb while it is dragged.
    virtual void ShowPopupText(const std::string& text) = 0;
};

}  // namespace wakelatch::controls
