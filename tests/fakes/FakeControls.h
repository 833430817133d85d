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
        ++placements;
    }
    float Left() const override { return left; }
    float Top() const override { return top; }
    float Width() const override { return width; }
    float Height() const override { return height; }
    bool IsMinimised() const override { return minimised; }
    bool IsVisible() const override { return visible; }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }

    std::string caption = "frm_Main";
    float left = 0, top = 0, width = 0, height = 0;
    int placements = 0;
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
    int value = 1;
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
        return answer;
    }
    std::vector<Shown> shown;
    int answer = controls::kAnswerOk;
};

}  // namespace wakelatch::testing
