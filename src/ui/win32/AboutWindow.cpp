#include "ui/win32/AboutWindow.h"

#include <optional>

#include "support/FileOps.h"
#include "support/Resources.h"
#include "ui/shaped/AboutTexts.h"
#include "ui/shaped/SystemInfo.h"
#include "ui/win32/ModalLoop.h"
#include "ui/win32/ShapedWindow.h"
#include "ui/win32/Win32Texts.h"

namespace wakelatch::win32ui {
namespace {

// IsDialogMessageW turns Enter into IDOK and Escape into IDCANCEL: both close the window.
constexpr int kSysInfo = 101;

}  // namespace

struct AboutWindow::Impl {
    Impl(ProgramState& state, platform::FileSystem& files, platform::Programs& programs,
         controls::MessageBoxService& messages, HWND owner)
        : state(state), files(files), programs(programs), messages(messages), owner(owner) {}

    std::optional<LRESULT> Handle(UINT message, WPARAM wParam);
    void Close();

    ProgramState& state;
    platform::FileSystem& files;
    platform::Programs& programs;
    controls::MessageBoxService& messages;
    HWND owner;
    ShapedWindow window{L"Wakelatch.frm_About", "Info Wakelatch", 0, owner};
    std::optional<DisabledWindows> disabled;
    bool closed = true;
};

std::optional<LRESULT> AboutWindow::Impl::Handle(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                switch (LOWORD(wParam)) {
                    case IDOK:  // cmdOK
                    case IDCANCEL:
                        Close();
                        return 0;
                    case kSysInfo:
                        about::StartSysInfo(programs, messages, state.Language);
                        return 0;
                    default:
                        break;
                }
            }
            break;
        case WM_CLOSE:  // Alt+F4
            Close();
            return 0;
        default:
            break;
    }
    return std::nullopt;
}

void AboutWindow::Impl::Close() {
    if (disabled) {
        disabled->End();  // first, so that the owner gets the activation back
        disabled.reset();
    }
    ShowWindow(window.Hwnd(), SW_HIDE);
    closed = true;
}

AboutWindow::AboutWindow(ProgramState& state, platform::FileSystem& files, platform::Programs& programs,
                         controls::MessageBoxService& messages, HWND owner)
    : impl_(std::make_unique<Impl>(state, files, programs, messages, owner)) {
    ShapedWindow& window = impl_->window;
    window.SetMessageHook(
        [impl = impl_.get()](UINT message, WPARAM wParam, LPARAM) { return impl->Handle(message, wParam); });
    const HFONT text = window.Font(9);
    const std::uint32_t colour = art::place::kAboutTextColour;
    window.AddLabel("lbl_Name", "Wakelatch", art::place::kAboutName, window.Font(20, true), colour);
    window.AddLabel("lbl_Version", "Version", art::place::kAboutVersion, text, colour);
    window.AddLabel("lbl_Beschreibung", "Anwendungsbeschreibung", art::place::kAboutDescription, text,
                    colour);
    window.AddLabel("lbl_Warnung", "", art::place::kAboutNotice, text, colour);
    window.AddLabel("lbl_Copyright", "", art::place::kAboutCopyright, text, colour);
    window.AddButton("cmdSysInfo", kSysInfo, "&System-Info...", art::place::kAboutSysInfoButton, text);
    window.AddButton("cmdOK", IDOK, "OK", art::place::kAboutOkButton, text, BS_DEFPUSHBUTTON);
}

AboutWindow::~AboutWindow() {
    impl_->Close();
}

void AboutWindow::Form_Load() {
    Impl& impl = *impl_;
    const std::string path = impl.state.TempDirectory + impl.files.Separator() + "pic_Info.bmp";
    impl.state.LastResult =
        sml_RES_TO_DISK::ResourceToDisk(impl.files, resources::kAboutBitmap, path) ? 1 : 0;
    impl.window.ShapeFormFromBitmap(path);
    impl.files.Remove(path);
    const auto set = [this](const char* name, std::string_view text) {
        SetTextOf(ControlNamed(name), std::string(text));
    };
    set("lbl_Name", "Wakelatch");
    set("lbl_Version", "Version " + impl.state.ProgramVersion);
    set("lbl_Copyright", about::kCopyright);
    set("lbl_Beschreibung", about::Description(impl.state.Language));
    set("lbl_Warnung", about::Notice(impl.state.Language));
}

void AboutWindow::Exec() {
    Impl& impl = *impl_;
    const HWND window = impl.window.Hwnd();
    if (window == nullptr) {
        return;
    }
    CentreOnScreen(window);
    impl.closed = false;
    impl.disabled.emplace(window, impl.owner);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(ControlNamed("cmdOK"));
    RunModalLoop(window, [&impl] { return impl.closed; });
    impl.Close();
}

void AboutWindow::Close() {
    impl_->Close();
}

HWND AboutWindow::Hwnd() const {
    return impl_->window.Hwnd();
}

HWND AboutWindow::ControlNamed(const char* name) const {
    return impl_->window.ControlNamed(name);
}

}  // namespace wakelatch::win32ui
