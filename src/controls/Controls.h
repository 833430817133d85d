#pragma once

#include <functional>
#include <string>

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

// A slider with whole-number positions.
class Slider {
  public:
    virtual ~Slider() = default;
    virtual void SetValue(int position) = 0;
    virtual int Value() const = 0;
};

}  // namespace wakelatch::controls
