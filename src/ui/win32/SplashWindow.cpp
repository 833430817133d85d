#include "ui/win32/SplashWindow.h"

#include "support/FileOps.h"
#include "support/Resources.h"
#include "ui/shaped/AboutTexts.h"
#include "ui/win32/ShapedWindow.h"
#include "ui/win32/Win32Texts.h"

namespace wakelatch::win32ui {

struct SplashWindow::Impl {
    // Topmost while the program loads; not in the taskbar.
    ShapedWindow window{L"Wakelatch.frm_Splash", "Wakelatch", WS_EX_TOPMOST | WS_EX_TOOLWINDOW, nullptr};
    HWND lbl_Programmversion = nullptr;
};

SplashWindow::SplashWindow() : impl_(std::make_unique<Impl>()) {
    ShapedWindow& window = impl_->window;
    window.SetDraggable(false);  // the splash does nothing on a click, and is not moved
    const std::uint32_t colour = art::place::kSplashTextColour;
    window.AddLabel("lbl_Programmname", "Wakelatch", art::place::kSplashName, window.Font(22, true, L"Arial"),
                    colour);
    impl_->lbl_Programmversion =
        window.AddLabel("lbl_Programmversion", "Version", art::place::kSplashVersion, window.Font(9), colour);
    window.AddLabel("lbl_Copyright", std::string(about::kCopyright), art::place::kSplashCopyright,
                    window.Font(7), colour);
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::Form_Load(ProgramState& state, platform::FileSystem& files) {
    const std::string path = state.TempDirectory + files.Separator() + "pic_Splash.bmp";
    state.LastResult = sml_RES_TO_DISK::ResourceToDisk(files, resources::kSplashBitmap, path) ? 1 : 0;
    impl_->window.ShapeFormFromBitmap(path);
    SetTextOf(impl_->lbl_Programmversion, "Version " + state.ProgramVersion);
    files.Remove(path);
}

void SplashWindow::CentreOnScreen() {
    win32ui::CentreOnScreen(Hwnd());
}

void SplashWindow::ShowAndPaint() {
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    // UpdateWindow alone would paint the picture but not the labels on it: they are windows of their own.
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

HWND SplashWindow::Hwnd() const {
    return impl_->window.Hwnd();
}

HWND SplashWindow::ControlNamed(const char* name) const {
    return impl_->window.ControlNamed(name);
}

}  // namespace wakelatch::win32ui
