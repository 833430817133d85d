#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "platform/windows/Win32.h"
#include "ui/win32/Geometry.h"

namespace wakelatch::win32ui {

// The text a list row shows: each TAB is drawn as one blank, and widths are measured the same way, so
// that rows padded by measured width line up.
std::wstring DisplayText(const std::string& rowText);

// Rows with a tick box in an owner-drawn list box (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY).
// Each row keeps its own text, TABs and all; the tick is the item data. A click on the box or the space
// key ticks a row and is reported to the user-tick handler; ticks the program sets are not reported.
// A row's hint is the tooltip of the row under the mouse; a ticked row whose drive was missed carries the
// system's warning icon at its right end, over the blank room the padded columns leave there.
class Win32CheckList final : public controls::CheckList {
  public:
    // `container` is the corner of the frame the list is documented in, in its parent's twips.
    Win32CheckList(HWND list, TwipsRect container);
    ~Win32CheckList() override;
    Win32CheckList(const Win32CheckList&) = delete;
    Win32CheckList& operator=(const Win32CheckList&) = delete;

    int Count() const override;
    std::string Text(int row) const override;
    bool Checked(int row) const override;
    void SetChecked(int row, bool checked) override;
    void AddItem(const std::string& text) override;
    void Clear() override;
    int ListIndex() const override;
    void SetListIndex(int row) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Move(float left, float top) override;
    float Width() const override;
    void Refresh() override;
    void SetRowHint(int row, const std::string& hint, bool missed) override;

    void SetUserTickHandler(std::function<void(int row)> handler) { userTick_ = std::move(handler); }
    // The focus went to another control of the same window (not to another program or a menu).
    void SetLostFocusHandler(std::function<void()> handler) { lostFocus_ = std::move(handler); }

    // From the parent's WM_DRAWITEM.
    void Draw(const DRAWITEMSTRUCT& item) const;
    // Row height for the list's font; after every font change.
    void UpdateItemHeight();
    HWND Hwnd() const { return list_; }
    // Where a row's tick box ends, in pixels from the row's left edge.
    int BoxRight() const;
    // The tooltip that shows the hints (one tool, id 1, covering the row under the mouse).
    HWND TipWindow() const { return tip_; }

  private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void ToggleByUser(int row);
    int ItemHeight() const;
    void InvalidateRow(int row);
    bool ShowsMark(int row) const;
    void FollowMouse(LPARAM point);
    void UpdateTip();

    struct RowHint {
        std::wstring text;
        bool missed = false;
    };

    HWND list_;
    HWND tip_ = nullptr;
    std::vector<RowHint> hints_;  // in step with the rows (AddItem, Clear)
    int tipRow_ = -1;             // the row under the mouse
    TwipsRect container_;
    std::function<void(int)> userTick_;
    std::function<void()> lostFocus_;
};

}  // namespace wakelatch::win32ui
