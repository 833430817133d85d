#pragma once

#include <QFont>
#include <QPointer>
#include <QTimer>

#include <map>
#include <memory>

#include "controls/Controls.h"
#include "ui/main/Placement.h"

class QAbstractButton;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QListWidget;
class QSlider;
class QWidget;

// Adapters from Qt widgets to the control interfaces the windows' logic holds.
namespace wakelatch::qtui {

// Twips per pixel of the screen a window opens on (its logical DPI).
double ScreenTwipsPerPixel(const QWidget* widget);

class QtFormWindow final : public controls::FormWindow {
  public:
    explicit QtFormWindow(QWidget* window);

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
    QPointer<QWidget> window_;
    double twipsPerPixel_ = 15.0;
    bool positionKnown_ = true;  // false where the platform never tells a window where it is (Wayland)
    placement::PlacedCoordinate left_{};
    placement::PlacedCoordinate top_{};
    placement::PlacedCoordinate width_{};
    placement::PlacedCoordinate height_{};
};

// Panels are QLabels added to a status bar in order; panel 1 is the first.
class QtStatusBar final : public controls::StatusBar {
  public:
    explicit QtStatusBar(std::vector<QLabel*> panels);
    void SetPanelText(int panel, const std::string& text) override;
    std::string PanelText(int panel) const override;

  private:
    QLabel* Panel(int panel) const;
    std::vector<QPointer<QLabel>> panels_;
};

class QtWindowTimer final : public controls::WindowTimer {
  public:
    explicit QtWindowTimer(QTimer* timer);
    void SetInterval(int milliseconds) override;
    int Interval() const override;
    void SetEnabled(bool enabled) override;
    bool Enabled() const override;
    void SetTag(const std::string& tag) override;
    std::string Tag() const override;
    void SetTickHandler(std::function<void()> handler) override;

  private:
    QPointer<QTimer> timer_;
    std::string tag_;
    std::function<void()> handler_;
};

// The text a list row shows: TAB characters are drawn as one blank, and text widths are measured the
// same way, so that rows padded by measured width line up.
QString DisplayText(const std::string& rowText);

// Check-box rows of a QListWidget; each item keeps the row's own text (with its TABs) besides the text
// it shows, and its rows are drawn by DriveRowDelegate.
class QtCheckList final : public controls::CheckList {
  public:
    explicit QtCheckList(QListWidget* list);
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
    // The tooltip doubles as the accessible description; the mark is drawn by DriveRowDelegate.
    void SetRowHint(int row, const std::string& hint, bool missed) override;

  private:
    QPointer<QListWidget> list_;
};

// Rendered widths in the font of a widget (the drive list), in whole twips. Columns are padded one blank
// at a time, each step measuring the whole row again; a text that only adds blanks to the one measured
// before is measured by adding their advances instead of laying the row out anew.
class QtTextMeasurer final : public controls::TextMeasurer {
  public:
    explicit QtTextMeasurer(const QWidget* widget);
    int WidthTwips(const std::string& text) const override;

  private:
    QPointer<const QWidget> widget_;
    mutable QFont font_;
    mutable std::string lastText_;
    mutable qreal lastPixels_ = -1;
};

class QtLabel final : public controls::Captioned {
  public:
    explicit QtLabel(QLabel* label);
    void SetText(const std::string& text) override;
    std::string Text() const override;

  private:
    QPointer<QLabel> label_;
};

// A check box or an option button.
class QtToggle final : public controls::Toggle {
  public:
    explicit QtToggle(QAbstractButton* button);
    void SetText(const std::string& text) override;
    std::string Text() const override;
    void SetValue(int value) override;
    int Value() const override;

  private:
    QPointer<QAbstractButton> button_;
};

class QtCommandButton final : public controls::CommandButton {
  public:
    explicit QtCommandButton(QAbstractButton* button);
    void SetText(const std::string& text) override;
    std::string Text() const override;
    void SetEnabled(bool enabled) override;
    bool Enabled() const override;

  private:
    QPointer<QAbstractButton> button_;
};

class QtButtonText final : public controls::Captioned {
  public:
    explicit QtButtonText(QAbstractButton* button);
    void SetText(const std::string& text) override;
    std::string Text() const override;

  private:
    QPointer<QAbstractButton> button_;
};

class QtFrameTitle final : public controls::Captioned {
  public:
    explicit QtFrameTitle(QGroupBox* frame);
    void SetText(const std::string& text) override;
    std::string Text() const override;

  private:
    QPointer<QGroupBox> frame_;
};

// A menu of a menu bar: its caption is the menu's title.
class QtMenuTitle final : public controls::Captioned {
  public:
    explicit QtMenuTitle(QMenu* menu);
    void SetText(const std::string& text) override;
    std::string Text() const override;

  private:
    QPointer<QMenu> menu_;
};

class QtMenuEntry final : public controls::MenuEntry {
  public:
    explicit QtMenuEntry(QAction* action);
    void SetText(const std::string& text) override;
    std::string Text() const override;
    void SetChecked(bool checked) override;
    bool Checked() const override;

  private:
    QPointer<QAction> action_;
};

class QtPopupMenu final : public controls::PopupMenu {
  public:
    explicit QtPopupMenu(QMenu* menu);
    void PopupAtCursor() override;

  private:
    QPointer<QMenu> menu_;
};

// Captioned controls by their object names; the adapters are owned here.
class QtCaptionTargets final : public controls::CaptionTargets {
  public:
    controls::Captioned* Find(std::string_view name) override;
    controls::Captioned& Add(const QString& name, std::unique_ptr<controls::Captioned> control);

  private:
    std::map<std::string, std::unique_ptr<controls::Captioned>, std::less<>> controls_;
};

class QtSlider final : public controls::Slider {
  public:
    explicit QtSlider(QSlider* slider);
    void SetValue(int position) override;
    int Value() const override;
    void ShowPopupText(const std::string& text) override;

  private:
    QPointer<QSlider> slider_;
};

}  // namespace wakelatch::qtui
