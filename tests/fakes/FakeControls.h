#pragma once

#include <map>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "controls/MessageBox.h"

namespace wakelatch::testing {

class FakeFormWindow final : public controls::FormWindow {
  public:
    void SetCaption(const std::string& text) override { caption = text; }
    std::string Caption() const override { return caption; }
    void SetPlacement(float l, float t, float w, float h) override {
        left = l;
        top = t;
        width = w;
        height = h;
    }
    float Left() const override { return left; }
    float Top() const override { return top; }
    float Width() const override { return width; }
    float Height() const override { return height; }
    bool IsMinimised() const override { return minimised; }
    bool IsVisible() const override { return visible; }
    void Show() override {
        visible = true;
        minimised = false;
    }
    void Hide() override { visible = false; }
    void Minimise() override { minimised = true; }

    std::string caption = "frm_Main";
    float left = 0, top = 0, width = 0, height = 0;
    bool minimised = false;
    bool visible = false;
};

class FakeStatusBar final : public controls::StatusBar {
  public:
    void SetPanelText(int panel, const std::string& text) override { panels[panel] = text; }
    std::string PanelText(int panel) const override {
        const auto it = panels.find(panel);
        return it == panels.end() ? std::string() : it->second;
    }
    std::map<int, std::string> panels{{1, "Status"}};
};

// A timer that never runs by itself: tests fire it with Tick().
class FakeWindowTimer final : public controls::WindowTimer {
  public:
    void SetInterval(int ms) override { interval = ms; }
    int Interval() const override { return interval; }
    void SetEnabled(bool on) override { enabled = on; }
    bool Enabled() const override { return enabled; }
    void SetTag(const std::string& text) override { tag = text; }
    std::string Tag() const override { return tag; }
    void SetTickHandler(std::function<void()> h) override { handler = std::move(h); }
    void Tick() {
        if (enabled && handler) {
            handler();
        }
    }

    int interval = 0;
    bool enabled = false;
    std::string tag;
    std::function<void()> handler;
};

class FakeSlider final : public controls::Slider {
  public:
    void SetValue(int position) override { value = position; }
    int Value() const override { return value; }
    void ShowPopupText(const std::string&) override {}
    int value = 1;
};

// A control with a text; FakeText<controls::Captioned> is a plain label.
template <typename Control>
class FakeText : public Control {
  public:
    explicit FakeText(std::string initial = {}) : text(std::move(initial)) {}
    void SetText(const std::string& t) override { text = t; }
    std::string Text() const override { return text; }
    std::string text;
};
using FakeCaptioned = FakeText<controls::Captioned>;

// Rows with ticks; records what the engine did to it.
class FakeCheckList final : public controls::CheckList {
  public:
    struct Row {
        std::string text;
        bool checked = false;
        std::string hint;
        bool missed = false;  // the drive's last touch missed it
    };
    int Count() const override { return static_cast<int>(rows.size()); }
    std::string Text(int row) const override { return rows.at(static_cast<std::size_t>(row)).text; }
    bool Checked(int row) const override { return rows.at(static_cast<std::size_t>(row)).checked; }
    void SetChecked(int row, bool on) override { rows.at(static_cast<std::size_t>(row)).checked = on; }
    void AddItem(const std::string& text) override { rows.push_back({text, false, {}, false}); }
    void Clear() override {
        rows.clear();
        listIndex = -1;
    }
    int ListIndex() const override { return listIndex; }
    void SetListIndex(int row) override { listIndex = row; }
    void SetVisible(bool on) override { visible = on; }
    void SetEnabled(bool on) override { enabled = on; }
    void Move(float l, float t) override {
        left = l;
        top = t;
    }
    float Width() const override { return width; }
    void Refresh() override {}
    void SetRowHint(int row, const std::string& hint, bool missed) override {
        Row& target = rows.at(static_cast<std::size_t>(row));
        target.hint = hint;
        target.missed = missed;
    }

    std::vector<std::string> Texts(bool checkedOnly = false) const {
        std::vector<std::string> texts;
        for (const Row& row : rows) {
            if (row.checked || !checkedOnly) {
                texts.push_back(row.text);
            }
        }
        return texts;
    }

    std::vector<Row> rows;
    int listIndex = -1;
    bool visible = true;
    bool enabled = true;
    float left = 0, top = 0;
    float width = 8055;
};

// Every character is 100 twips wide, so widths can be worked out by hand.
class FakeMeasurer final : public controls::TextMeasurer {
  public:
    int WidthTwips(const std::string& text) const override { return static_cast<int>(text.size()) * 100; }
};

class FakeToggle final : public FakeText<controls::Toggle> {
  public:
    using FakeText::FakeText;
    void SetValue(int v) override { value = v; }
    int Value() const override { return value; }
    int value = 0;
};

class FakeCommandButton final : public FakeText<controls::CommandButton> {
  public:
    using FakeText::FakeText;
    void SetEnabled(bool on) override { enabled = on; }
    bool Enabled() const override { return enabled; }
    bool enabled = true;
};

class FakeMenuEntry final : public FakeText<controls::MenuEntry> {
  public:
    using FakeText::FakeText;
    void SetChecked(bool on) override { checked = on; }
    bool Checked() const override { return checked; }
    bool checked = false;
};

class FakePopupMenu final : public controls::PopupMenu {
  public:
    void PopupAtCursor() override { ++popups; }
    int popups = 0;
};

// Captioned controls by name.
class FakeCaptionTargets final : public controls::CaptionTargets {
  public:
    controls::Captioned* Find(std::string_view name) override {
        auto it = controls.find(std::string(name));
        return it == controls.end() ? nullptr : it->second;
    }
    void Add(const std::string& name, controls::Captioned& control) { controls[name] = &control; }
    std::map<std::string, controls::Captioned*> controls;
};

class FakeMessageBox final : public controls::MessageBoxService {
  public:
    struct Shown {
        std::string text;
        std::string title;
        controls::MessageIcon icon;
        controls::MessageButtons buttons;
    };
    int Show(const std::string& text, const std::string& title, controls::MessageIcon icon,
             controls::MessageButtons buttons) override {
        shown.push_back({text, title, icon, buttons});
        if (answers.empty()) {
            return controls::kAnswerOk;
        }
        const int next = answers.front();
        answers.erase(answers.begin());
        return next;
    }
    std::vector<Shown> shown;
    std::vector<int> answers;  // given in turn; then OK
};

}  // namespace wakelatch::testing
