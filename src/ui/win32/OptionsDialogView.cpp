#include "ui/win32/OptionsDialogView.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/Utf.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Geometry.h"
#include "ui/win32/ModalLoop.h"
#include "ui/win32/ShapedWindow.h"
#include "ui/win32/ViewWindow.h"
#include "ui/win32/Win32FormWindow.h"
#include "ui/win32/Win32Texts.h"

namespace wakelatch::win32ui {
namespace {

constexpr wchar_t kClassName[] = L"Wakelatch.frm_Options";

// The client area and the frames, in twips; the controls inside a frame are placed relative to it.
constexpr int kClientWidth = 6000;
constexpr int kClientHeight = 5220;
constexpr TwipsRect kOptionen{120, 1080, 5760, 2520};
constexpr TwipsRect kLanguage{120, 3720, 5760, 840};
// The flags are drawn 45 x 27 pixels at 96 DPI: three bands of 9 pixels for the German flag.
constexpr int kFlagWidth = 675;
constexpr int kFlagHeight = 405;

enum Id : int {
    kAutostart = 101,
    kTraystart,
    kStartNetDrive,
    kDriveName1,
    kDriveName0,
    kGermany,
    kEnglisch,
    kFlagGermany,
    kFlagEnglisch,
    kSpeichern,
    kBeenden,
};

HMENU AsMenuId(int id) {
    return reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// Drawing in the flag's own units: `x` and `y` are fractions of its width and height.
struct FlagCanvas {
    HDC dc;
    RECT rect;
    double X(double fraction) const { return rect.left + fraction * (rect.right - rect.left); }
    double Y(double fraction) const { return rect.top + fraction * (rect.bottom - rect.top); }
    double Unit() const { return (rect.bottom - rect.top) / 30.0; }  // the flag is 30 units high, 60 wide
    void Band(double left, double top, double right, double bottom, COLORREF colour) const {
        const RECT band{std::lround(X(left)), std::lround(Y(top)), std::lround(X(right)),
                        std::lround(Y(bottom))};
        Fill(dc, band, colour);
    }
    void Line(double x1, double y1, double x2, double y2, double width, COLORREF colour) const {
        const LOGBRUSH brush{BS_SOLID, colour, 0};
        const HPEN pen =
            ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT,
                         static_cast<DWORD>(std::max(1L, std::lround(width))), &brush, 0, nullptr);
        const HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, std::lround(x1), std::lround(y1), nullptr);
        LineTo(dc, std::lround(x2), std::lround(y2));
        SelectObject(dc, old);
        DeleteObject(pen);
    }
};

void DrawGermanFlag(const FlagCanvas& flag) {
    const double third = 1.0 / 3.0;
    flag.Band(0, 0, 1, third, RGB(0x00, 0x00, 0x00));
    flag.Band(0, third, 1, 2 * third, RGB(0xdd, 0x00, 0x00));
    flag.Band(0, 2 * third, 1, 1, RGB(0xff, 0xce, 0x00));
}

// The Union Flag: blue field, white saltire with the red saltire counterchanged, white cross fimbriating
// the red cross.
void DrawEnglishFlag(const FlagCanvas& flag) {
    const COLORREF red = RGB(0xc8, 0x10, 0x2e);
    const COLORREF white = RGB(0xff, 0xff, 0xff);
    flag.Band(0, 0, 1, 1, RGB(0x01, 0x21, 0x69));
    const double unit = flag.Unit();
    const double left = flag.X(0);
    const double right = flag.X(1);
    const double top = flag.Y(0);
    const double bottom = flag.Y(1);
    const double midX = flag.X(0.5);
    const double midY = flag.Y(0.5);
    flag.Line(left, top, right, bottom, 6 * unit, white);
    flag.Line(right, top, left, bottom, 6 * unit, white);
    // The red saltire sits off the middle of the white one, by one unit.
    flag.Line(left, top - unit, midX, midY - unit, 2 * unit, red);
    flag.Line(midX, midY + unit, right, bottom + unit, 2 * unit, red);
    flag.Line(right, top + unit, midX, midY + unit, 2 * unit, red);
    flag.Line(midX, midY - unit, left, bottom - unit, 2 * unit, red);
    const double width = right - left;
    const double height = bottom - top;
    flag.Band(0.5 - 5 * unit / width, 0, 0.5 + 5 * unit / width, 1, white);
    flag.Band(0, 0.5 - 5 * unit / height, 1, 0.5 + 5 * unit / height, white);
    flag.Band(0.5 - 3 * unit / width, 0, 0.5 + 3 * unit / width, 1, red);
    flag.Band(0, 0.5 - 3 * unit / height, 1, 0.5 + 3 * unit / height, red);
}

void DrawFlag(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom);
    const FlagCanvas flag{dc, item.rcItem};
    if (item.CtlID == kFlagGermany) {
        DrawGermanFlag(flag);
    } else {
        DrawEnglishFlag(flag);
    }
    const HBRUSH border = CreateSolidBrush(RGB(0x55, 0x55, 0x55));
    FrameRect(dc, &item.rcItem, border);
    DeleteObject(border);
    RestoreDC(dc, saved);
}

}  // namespace

struct OptionsDialogView::Impl {
    struct Placed {
        std::string name;
        HWND hwnd = nullptr;
        TwipsRect place;  // in the client area
    };

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND Add(const char* name, const wchar_t* windowClass, DWORD style, TwipsRect place, int id = 0);
    HWND AddCaptioned(const char* name, const wchar_t* windowClass, DWORD style, TwipsRect place, int id = 0);
    void AddToggle(const char* name, DWORD style, TwipsRect place, int id, bool captioned = true);
    void Build();
    void ApplyDpi();
    void Finish();

    HWND hwnd = nullptr;
    HWND owner = nullptr;
    UniqueFont font;
    std::vector<Placed> placed;
    Win32CaptionTargets texts;
    std::map<std::string, std::unique_ptr<Win32Toggle>, std::less<>> toggles;
    std::unique_ptr<Win32CommandButton> save;
    std::unique_ptr<Win32FormWindow> window;
    std::map<int, std::function<void()>> commands;
    std::function<bool()> queryUnload;
    std::optional<DisabledWindows> disabled;
    bool asking = true;
    bool closed = true;
};

OptionsDialogView::OptionsDialogView(HWND owner) : impl_(std::make_unique<Impl>()) {
    Impl& impl = *impl_;
    impl.owner = owner;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterViewClass(kClassName, ViewProcedure<Impl, &Impl::hwnd, &Impl::Handle>,
                      reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    // Fixed size with a title bar and a close box; no WS_CLIPCHILDREN, the frames paint no interior.
    CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClassName, L"frm_Options",
                    WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner,
                    nullptr, instance, &impl);
    impl.window = std::make_unique<Win32FormWindow>(impl.hwnd);
    if (impl.hwnd == nullptr) {
        return;
    }
    impl.Build();
    impl.ApplyDpi();
}

OptionsDialogView::~OptionsDialogView() {
    impl_->Finish();
    if (impl_->hwnd != nullptr && IsWindow(impl_->hwnd) != FALSE) {
        DestroyWindow(impl_->hwnd);
    }
}

HWND OptionsDialogView::Impl::Add(const char* name, const wchar_t* windowClass, DWORD style, TwipsRect place,
                                  int id) {
    const HWND control =
        CreateWindowExW(0, windowClass, platform::utf::Widen(name).c_str(), WS_CHILD | WS_VISIBLE | style, 0,
                        0, 0, 0, hwnd, AsMenuId(id), GetModuleHandleW(nullptr), nullptr);
    placed.push_back({name, control, place});
    return control;
}

// Shows its name until a language sets its caption (the design-time text).
HWND OptionsDialogView::Impl::AddCaptioned(const char* name, const wchar_t* windowClass, DWORD style,
                                           TwipsRect place, int id) {
    const HWND control = Add(name, windowClass, style, place, id);
    texts.Add(name, std::make_unique<Win32WindowText>(control));
    return control;
}

void OptionsDialogView::Impl::AddToggle(const char* name, DWORD style, TwipsRect place, int id,
                                        bool captioned) {
    const HWND control =
        captioned ? AddCaptioned(name, L"BUTTON", style, place, id) : Add(name, L"BUTTON", style, place, id);
    if (!captioned) {
        SetWindowTextW(control, L"");
    }
    toggles[name] = std::make_unique<Win32Toggle>(control);
}

void OptionsDialogView::Impl::Build() {
    // Created in tab order. Every control starts a group but the second drive-format button, so that
    // the two format buttons clear each other and nothing else.
    constexpr DWORD group = WS_GROUP | WS_TABSTOP;
    AddCaptioned("lbl_TEXT_Hinweis", L"STATIC", SS_LEFT | SS_NOPREFIX, {120, 120, 5760, 840});
    AddToggle("chk_Autostart", group | BS_AUTOCHECKBOX, InFrame(kOptionen, {240, 300, 5280, 285}),
              kAutostart);
    AddToggle("chk_Traystart", group | BS_AUTOCHECKBOX, InFrame(kOptionen, {240, 600, 5280, 285}),
              kTraystart);
    AddToggle("chk_StartNetDrive", group | BS_AUTOCHECKBOX, InFrame(kOptionen, {240, 900, 5280, 285}),
              kStartNetDrive);
    AddCaptioned("lbl_HINWEIS_Laufwerkbzeichnung", L"STATIC", WS_GROUP | SS_LEFT | SS_NOPREFIX,
                 InFrame(kOptionen, {240, 1320, 5280, 255}));
    AddToggle("opt_DRIVE_Name(1)", group | BS_AUTORADIOBUTTON, InFrame(kOptionen, {480, 1620, 5040, 285}),
              kDriveName1);
    AddToggle("opt_DRIVE_Name(0)", BS_AUTORADIOBUTTON, InFrame(kOptionen, {480, 1920, 5040, 285}),
              kDriveName0);

    // The language buttons are only as large as their round button; the dialog keeps them exclusive
    // itself (not automatic). A click on a flag counts as one on its button.
    AddToggle("opt_GERMANY", group | BS_RADIOBUTTON, InFrame(kLanguage, {240, 300, 240, 255}), kGermany,
              false);
    Add("img_FLAG_GERMANY", L"STATIC", WS_GROUP | SS_OWNERDRAW | SS_NOTIFY,
        InFrame(kLanguage, {600, 225, kFlagWidth, kFlagHeight}), kFlagGermany);
    AddToggle("opt_ENGLISCH", group | BS_RADIOBUTTON, InFrame(kLanguage, {1680, 300, 240, 255}), kEnglisch,
              false);
    Add("img_FLAG_ENGLISCH", L"STATIC", WS_GROUP | SS_OWNERDRAW | SS_NOTIFY,
        InFrame(kLanguage, {2040, 225, kFlagWidth, kFlagHeight}), kFlagEnglisch);

    const HWND speichern =
        AddCaptioned("cmd_Speichern", L"BUTTON", group | BS_PUSHBUTTON, {3000, 4740, 1335, 375}, kSpeichern);
    save = std::make_unique<Win32CommandButton>(speichern);
    AddCaptioned("cmd_Beenden", L"BUTTON", group | BS_PUSHBUTTON, {4545, 4740, 1335, 375}, kBeenden);

    // The frames go last and lie under everything: they are no containers.
    for (const auto& [name, place] :
         {std::pair{"fra_Optionen", kOptionen}, std::pair{"fra_Language", kLanguage}}) {
        const HWND frame = AddCaptioned(name, L"BUTTON", WS_GROUP | BS_GROUPBOX, place);
        SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void OptionsDialogView::Impl::ApplyDpi() {
    const UINT dpi = DpiOf(hwnd);
    const double twipsPerPixel = placement::TwipsPerPixel(dpi);
    font.Reset(CreateMessageFont(dpi));
    RECT outer{0, 0, placement::TwipsToPixels(static_cast<float>(kClientWidth), twipsPerPixel),
               placement::TwipsToPixels(static_cast<float>(kClientHeight), twipsPerPixel)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const Placed& control : placed) {
        SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
        const placement::PixelRect rect = ToPixels(control.place, twipsPerPixel);
        SetWindowPos(control.hwnd, nullptr, rect.x, rect.y, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void OptionsDialogView::Impl::Finish() {
    if (disabled) {
        disabled->End();  // first, so that the owner gets the activation back
        disabled.reset();
    }
    if (hwnd != nullptr) {
        ShowWindow(hwnd, SW_HIDE);
    }
    closed = true;
}

LRESULT OptionsDialogView::Impl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND self = hwnd;
    switch (message) {
        case WM_COMMAND:
            // Buttons report BN_CLICKED, the flags STN_CLICKED: both are 0. Escape comes as IDCANCEL and
            // closes as the close box does; Enter (IDOK) saves nothing by itself.
            if (HIWORD(wParam) == BN_CLICKED) {
                if (LOWORD(wParam) == IDCANCEL) {
                    SendMessageW(hwnd, WM_CLOSE, 0, 0);
                } else if (const auto it = commands.find(LOWORD(wParam));
                           it != commands.end() && it->second) {
                    it->second();
                }
                return 0;
            }
            break;
        case WM_DRAWITEM:
            DrawFlag(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_SETCURSOR: {
            const auto under = reinterpret_cast<HWND>(wParam);
            if (const int id = GetDlgCtrlID(under); id == kFlagGermany || id == kFlagEnglisch) {
                SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
                return TRUE;
            }
            break;
        }
        case WM_DPICHANGED: {
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi();
            return 0;
        }
        case WM_CLOSE:
            if (!(asking && queryUnload && queryUnload())) {
                Finish();
            }
            return 0;
        case WM_NCDESTROY:
            hwnd = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(self, message, wParam, lParam);
}

frm_Options::Controls OptionsDialogView::Controls() {
    Impl& impl = *impl_;
    return {*impl.window,
            *impl.toggles["chk_Autostart"],
            *impl.toggles["chk_Traystart"],
            *impl.toggles["chk_StartNetDrive"],
            *impl.toggles["opt_DRIVE_Name(0)"],
            *impl.toggles["opt_DRIVE_Name(1)"],
            *impl.toggles["opt_GERMANY"],
            *impl.toggles["opt_ENGLISCH"],
            *impl.save,
            impl.texts};
}

void OptionsDialogView::Connect(frm_Options& form) {
    auto& commands = impl_->commands;
    commands[kAutostart] = [&form] { form.chk_Autostart_Click(); };
    commands[kTraystart] = [&form] { form.chk_Traystart_Click(); };
    commands[kStartNetDrive] = [&form] { form.chk_StartNetDrive_Click(); };
    commands[kDriveName0] = [&form] { form.opt_DRIVE_Name_Click(0); };
    commands[kDriveName1] = [&form] { form.opt_DRIVE_Name_Click(1); };
    commands[kGermany] = [&form] { form.opt_GERMANY_Click(); };
    commands[kEnglisch] = [&form] { form.opt_ENGLISCH_Click(); };
    commands[kFlagGermany] = [&form] { form.img_FLAG_GERMANY_Click(); };
    commands[kFlagEnglisch] = [&form] { form.img_FLAG_ENGLISCH_Click(); };
    commands[kSpeichern] = [&form] { form.cmd_Speichern_Click(); };
    commands[kBeenden] = [&form] { form.cmd_Beenden_Click(); };
    impl_->queryUnload = [&form] { return form.Form_QueryUnload(); };
}

void OptionsDialogView::CentreOnScreen() {
    win32ui::CentreOnScreen(impl_->hwnd);
}

void OptionsDialogView::Exec() {
    Impl& impl = *impl_;
    if (impl.hwnd == nullptr) {
        return;
    }
    impl.closed = false;
    impl.asking = true;
    impl.disabled.emplace(impl.hwnd, impl.owner);
    ShowWindow(impl.hwnd, SW_SHOW);
    SetForegroundWindow(impl.hwnd);
    SetFocus(ControlNamed("chk_Autostart"));
    RunModalLoop(impl.hwnd, [&impl] { return impl.closed; });
    impl.Finish();
}

void OptionsDialogView::Close() {
    if (impl_->hwnd != nullptr) {
        SendMessageW(impl_->hwnd, WM_CLOSE, 0, 0);
    }
}

void OptionsDialogView::CloseWithoutAsking() {
    impl_->asking = false;
    Close();
}

HWND OptionsDialogView::Hwnd() const {
    return impl_->hwnd;
}

HWND OptionsDialogView::ControlNamed(const char* name) const {
    const auto& placed = impl_->placed;
    const auto it = std::find_if(placed.begin(), placed.end(),
                                 [name](const Impl::Placed& control) { return control.name == name; });
    return it != placed.end() ? it->hwnd : nullptr;
}

}  // namespace wakelatch::win32ui
