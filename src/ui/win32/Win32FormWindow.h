#pragma once

#include "controls/Controls.h"
#include "platform/windows/Win32.h"
#include "ui/main/Placement.h"

namespace wakelatch::win32ui {

// A top-level window. Its placement is converted with the window's DPI; a window that was not moved
// reports exactly the twips it was given.
class Win32FormWindow final : public controls::FormWindow {
  public:
    explicit Win32FormWindow(HWND window) : window_(window) {}

    void SetCaption(const std::string& caption) override;
    std::string Caption() const override;
    void SetPlacement(float left, float top, float width, float height) override;
    float Left() const override;
    float Top() const override;
    float Width() const override;
    float Height() const override;
    bool IsMinimised() const override;
    bool IsVisible() const override;
    void Show() override;
    void Hide() override;
    void Minimise() override;

  private:
    RECT Rect() const;
    float Current(const placement::PlacedCoordinate& placed, LONG pixels) const;

    HWND window_;
    double twipsPerPixel_ = 15.0;
    placement::PlacedCoordinate left_{};
    placement::PlacedCoordinate top_{};
    placement::PlacedCoordinate width_{};
    placement::PlacedCoordinate height_{};
};

}  // namespace wakelatch::win32ui
