#include "ui/win32/MainWindowView.h"

#include "ui/win32/CommonControls.h"

#include <algorithm>
#include <array>

#include "platform/windows/Utf.h"
#include "ui/main/Captions.h"
#include "ui/win32/ViewWindow.h"
#include "ui/win32/Win32Menus.h"

namespace wakelatch::win32ui {
namespace {

constexpr wchar_t kClassName[] = L"Wakelatch.frm_Main";

// The frames' places in the client area; the controls inside them are documented relative to them.
constexpr TwipsRect kLaufwerke{240, 840, 8415, 3975};
constexpr TwipsRect kStandby{8630, 840, 1000, 3975};
constexpr TwipsRect kDriveList{120, 360, 8055, 3210};
constexpr int kButtonTop = 5160;
constexpr int kButtonWidth = 2175;
constexpr int kButtonHeight = 495;

enum Id : UINT {
    kSpeichern = 101,
    kStart,
    kMinimieren,
    kBeenden,
    kDriveListId,
    kSubstituteListId,
    kSliderId,
    kStatusBarId,
    kFileProperties = 201,
    kFileExit,
    kAnleitung,
    kHelpAbout,
};

constexpr UINT_PTR kClockTimer = 1;
// The date and time panels: their text and a margin.
constexpr int kPanelMarginAt96 = 16;

HMENU AsMenuId(int id) {
    return reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
}

int TextWidth(HWND window, const std::wstring& text) {
    const HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

std::wstring Now(bool date) {
    std::array<wchar_t, 80> text{};
    if (date) {
        GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text.data(),
                        static_cast<int>(text.size()), nullptr);
    } else {
        GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text.data(),
                        static_cast<int>(text.size()));
    }
    return text.data();
}

}  // namespace

MainWindowView::MainWindowView() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    RegisterViewClass(kClassName,
                      ViewProcedure<MainWindowView, &MainWindowView::hwnd_, &MainWindowView::Handle>,
                      reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));

    const double twipsPerPixel = TwipsPerPixelOf(nullptr);
    const auto pixels = [twipsPerPixel](float twips) {
        return placement::TwipsToPixels(twips, twipsPerPixel);
    };
    // Fixed border: no sizing frame, no maximise box. No WS_CLIPCHILDREN: a group box paints no interior,
    // the window's background must.
    CreateWindowExW(0, kClassName, L"frm_Main", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                    CW_USEDEFAULT, CW_USEDEFAULT, pixels(frm_Main::kWidth), pixels(frm_Main::kHeight),
                    nullptr, nullptr, instance, this);
    window_ = std::make_unique<Win32FormWindow>(hwnd_);
    standbyTimer_ = std::make_unique<Win32WindowTimer>(hwnd_);
    passTimer_ = std::make_unique<Win32WindowTimer>(hwnd_);
    if (hwnd_ == nullptr) {
        return;
    }
    BuildMenus();
    BuildControls();
    BuildStatusBar();
    ApplyDpi();
}

MainWindowView::~MainWindowView() {
    if (hwnd_ != nullptr && IsWindow(hwnd_) != FALSE) {
        DestroyWindow(hwnd_);
    }
}

HWND MainWindowView::ControlNamed(std::string_view name) const {
    const auto it = std::find_if(placed_.begin(), placed_.end(),
                                 [name](const Placed& placed) { return placed.name == name; });
    if (it != placed_.end()) {
        return it->hwnd;
    }
    return name == "sbStatusBar" ? statusBarHwnd_ : nullptr;
}

HWND MainWindowView::AddControl(const char* name, const wchar_t* windowClass, const wchar_t* text,
                                DWORD style, TwipsRect place, std::optional<TwipsRect> frame, int id,
                                DWORD exStyle) {
    const TwipsRect inClient = frame ? InFrame(*frame, place) : place;
    const HWND control = CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0,
                                         0, 0, hwnd_, AsMenuId(id), GetModuleHandleW(nullptr), nullptr);
    placed_.push_back({name, control, inClient, frame});
    return control;
}

HWND MainWindowView::AddLabel(const char* name, DWORD alignment, TwipsRect place,
                              std::optional<TwipsRect> frame) {
    const HWND label = AddControl(name, L"STATIC", platform::utf::Widen(name).c_str(),
                                  WS_VISIBLE | SS_NOPREFIX | alignment, place, frame);
    texts_.Add(name, std::make_unique<Win32WindowText>(label));
    return label;
}

HWND MainWindowView::AddButton(const char* name, int id, int left) {
    const HWND button = AddControl(name, L"BUTTON", platform::utf::Widen(name).c_str(),
                                   WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                   {left, kButtonTop, kButtonWidth, kButtonHeight}, {}, id);
    texts_.Add(name, std::make_unique<Win32WindowText>(button));
    return button;
}

void MainWindowView::BuildMenus() {
    const HMENU bar = CreateMenu();
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kFileProperties, L"Ei&genschaften");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);  // mnuFileBar0
    AppendMenuW(file, MF_STRING, kFileExit, L"&Beenden");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&Datei");
    const HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, kAnleitung, L"H&ilfe");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);  // mnuFileBar1
    AppendMenuW(help, MF_STRING, kHelpAbout, L"Inf&o ");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help),
                platform::utf::Widen(std::string(captions::kHelpMenuText)).c_str());
    SetMenu(hwnd_, bar);

    texts_.Add("mnuFile", std::make_unique<Win32MenuTitle>(hwnd_, 0));
    texts_.Add("mnuHelp", std::make_unique<Win32MenuTitle>(hwnd_, 1));
    texts_.Add("mnuFileProperties", std::make_unique<Win32MenuEntry>(file, kFileProperties, hwnd_));
    texts_.Add("mnuFileExit", std::make_unique<Win32MenuEntry>(file, kFileExit, hwnd_));
    texts_.Add("mnuAnleitung", std::make_unique<Win32MenuEntry>(help, kAnleitung, hwnd_));
    texts_.Add("mnuHelpAbout", std::make_unique<Win32MenuEntry>(help, kHelpAbout, hwnd_));
}

void MainWindowView::BuildControls() {
    // Created in tab order; the frames go last and lie under everything (they are no containers).
    AddLabel("lbl_TEXT_Hinweis", SS_LEFT, {120, 120, 8055, 615});

    // The drive list, and its twin that stands in for it, greyed, while it is rebuilt.
    constexpr DWORD listStyle =
        WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    const HWND list = AddControl("list_Laufwerke", WC_LISTBOXW, nullptr, WS_VISIBLE | listStyle, kDriveList,
                                 kLaufwerke, kDriveListId, WS_EX_CLIENTEDGE);
    const HWND substitute = AddControl("list_Laufwerke_TEMP", WC_LISTBOXW, nullptr, WS_DISABLED | listStyle,
                                       kDriveList, kLaufwerke, kSubstituteListId, WS_EX_CLIENTEDGE);
    driveList_ = std::make_unique<Win32CheckList>(list, kLaufwerke);
    substituteList_ = std::make_unique<Win32CheckList>(substitute, kLaufwerke);
    measurer_ = std::make_unique<Win32TextMeasurer>(list);

    // The interval column. Upright, position 1 at the top: minutes = 61 - position.
    AddLabel("lbl_fraStandby_TEXT_eingestelleMinuten", SS_CENTER, {-65, 270, 1095, 255}, kStandby);
    AddLabel("lbl_fraStandby_TEXT_AnzeigeMinuten", SS_CENTER, {-185, 555, 1335, 255}, kStandby);
    const HWND trackbar = AddControl("sli_Standby", TRACKBAR_CLASSW, nullptr,
                                     WS_VISIBLE | WS_TABSTOP | TBS_VERT | TBS_BOTH | TBS_AUTOTICKS,
                                     {120, 840, 675, 2415}, kStandby, kSliderId);
    SendMessageW(trackbar, TBM_SETRANGEMIN, FALSE, 1);
    SendMessageW(trackbar, TBM_SETRANGEMAX, FALSE, 60);
    SendMessageW(trackbar, TBM_SETTICFREQ, 5, 0);
    SendMessageW(trackbar, TBM_SETPAGESIZE, 0, 5);
    SendMessageW(trackbar, TBM_SETPOS, TRUE, 1);
    slider_ = std::make_unique<Win32Slider>(trackbar);
    // Wider than the narrow column: a point smaller, "Gespeichert:" stays whole.
    savedHeadingHwnd_ =
        AddLabel("lbl_fraStandby_TEXT_gespeicherteMinuten", SS_CENTER, {-240, 3315, 1455, 255}, kStandby);
    AddLabel("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert", SS_CENTER, {-80, 3600, 1095, 255}, kStandby);

    AddButton("cmd_Speichern", kSpeichern, 240);
    AddButton("cmd_Start", kStart, 2640);
    AddButton("cmd_Minimieren", kMinimieren, 5040);
    AddButton("cmd_Beenden", kBeenden, 7440);

    // They hold the tray pictures and lie below the client area; never shown.
    AddControl("Picture1", L"STATIC", nullptr, SS_ICON, {1920, 6960, 690, 585});
    AddControl("Picture2", L"STATIC", nullptr, SS_ICON, {2880, 6960, 690, 585});

    for (const auto& [name, place] :
         {std::pair{"fra_Laufwerke", kLaufwerke}, std::pair{"fra_Standby", kStandby}}) {
        const HWND frame =
            AddControl(name, L"BUTTON", platform::utf::Widen(name).c_str(), WS_VISIBLE | BS_GROUPBOX, place);
        SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        texts_.Add(name, std::make_unique<Win32WindowText>(frame));
    }
}

void MainWindowView::BuildStatusBar() {
    statusBarHwnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_,
                                     AsMenuId(kStatusBarId), GetModuleHandleW(nullptr), nullptr);
    std::array<int, 3> parts{100, 200, -1};
    SendMessageW(statusBarHwnd_, SB_SETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
    statusBar_ = std::make_unique<Win32StatusBar>(statusBarHwnd_);
    statusBar_->SetPanelText(1, "Status");
}

void MainWindowView::ApplyDpi() {
    const UINT dpi = DpiOf(hwnd_);
    const double twipsPerPixel = placement::TwipsPerPixel(dpi);
    font_.Reset(CreateMessageFont(dpi));
    smallFont_.Reset(CreateMessageFont(dpi, 7));
    for (const Placed& placed : placed_) {
        const HFONT font = placed.hwnd == savedHeadingHwnd_ ? smallFont_.Get() : font_.Get();
        SendMessageW(placed.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const placement::PixelRect rect = ToPixels(placed.place, twipsPerPixel);
        SetWindowPos(placed.hwnd, nullptr, rect.x, rect.y, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (placed.frame) {
            // Inside its frame only, so that a label wider than the column leaves the frame's lines whole.
            const placement::PixelRect frame = ToPixels(*placed.frame, twipsPerPixel);
            const int inset = Scaled(2, dpi);
            const HRGN region =
                CreateRectRgn(std::max(frame.x + inset - rect.x, 0), 0,
                              std::min(frame.x + frame.width - inset - rect.x, rect.width), rect.height);
            SetWindowRgn(placed.hwnd, region, TRUE);
        }
    }
    SendMessageW(statusBarHwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    driveList_->UpdateItemHeight();
    substituteList_->UpdateItemHeight();
    SendMessageW(statusBarHwnd_, WM_SIZE, 0, 0);
    UpdateClock();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindowView::LayoutStatusBar() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int margin = Scaled(kPanelMarginAt96, DpiOf(hwnd_));
    const int time = TextWidth(statusBarHwnd_, Now(false)) + margin;
    const int date = TextWidth(statusBarHwnd_, Now(true)) + margin;
    std::array<int, 3> parts{std::max<int>(client.right - date - time, 1),
                             std::max<int>(client.right - time, 2), -1};
    SendMessageW(statusBarHwnd_, SB_SETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
}

// Panels 2 and 3 follow the date and the time while the window is shown; hidden in the tray nothing
// wakes the program every minute.
void MainWindowView::UpdateClock() {
    statusBar_->SetPanelText(2, platform::utf::Narrow(Now(true)));
    statusBar_->SetPanelText(3, platform::utf::Narrow(Now(false)));
    LayoutStatusBar();
    if (clockRunning_) {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        const UINT untilNextMinute = (60U - now.wSecond) * 1000U - now.wMilliseconds + 5U;
        SetTimer(hwnd_, kClockTimer, untilNextMinute, nullptr);
    }
}

void MainWindowView::OnShown(bool shown) {
    if (shown == clockRunning_) {
        return;
    }
    clockRunning_ = shown;
    if (shown) {
        UpdateClock();  // catches up with the time that passed while hidden
    } else {
        KillTimer(hwnd_, kClockTimer);
    }
}

frm_Main::Controls MainWindowView::Controls() {
    return {*window_,
            *statusBar_,
            *standbyTimer_,
            *passTimer_,
            *slider_,
            *driveList_,
            *substituteList_,
            *texts_.Find("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert"),
            *texts_.Find("lbl_fraStandby_TEXT_AnzeigeMinuten"),
            texts_};
}

void MainWindowView::Connect(frm_Main& form) {
    commands_[kSpeichern] = [&form] { form.cmd_Speichern_Click(); };
    commands_[kStart] = [&form] { form.cmd_Start_Click(); };
    commands_[kMinimieren] = [&form] { form.cmd_Minimieren_Click(); };
    commands_[kBeenden] = [&form] { form.cmd_Beenden_Click(); };
    commands_[kFileProperties] = [&form] { form.mnuFileProperties_Click(); };
    commands_[kFileExit] = [&form] { form.mnuFileExit_Click(); };
    commands_[kAnleitung] = [&form] { form.mnuAnleitung_Click(); };
    commands_[kHelpAbout] = [&form] { form.mnuHelpAbout_Click(); };
    sliderMoving_ = [&form] { form.sli_Standby_Scroll(); };
    sliderSettled_ = [&form] { form.sli_Standby_Change(); };
    driveList_->SetLostFocusHandler([&form] { form.list_Laufwerke_LostFocus(); });
}

void MainWindowView::Close() {
    if (!unloaded_) {
        unloaded_ = true;
        if (unloadHandler_) {
            unloadHandler_();
        }
    }
    if (hwnd_ != nullptr && IsWindow(hwnd_) != FALSE) {
        DestroyWindow(hwnd_);
    }
}

void MainWindowView::BringToFront(const std::function<void()>& restoreFromTray) {
    if (IsWindowVisible(hwnd_) == FALSE) {
        restoreFromTray();
    }
    ShowWindow(hwnd_, IsIconic(hwnd_) != FALSE ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd_);
}

bool MainWindowView::TranslateDialogMessage(MSG& message) {
    return hwnd_ != nullptr && IsDialogMessageW(hwnd_, &message) != FALSE;
}

// Dragging shows the minutes; the change counts when the thumb is let go, or at once for keys and
// clicks on the channel.
void MainWindowView::OnScroll(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != slider_->Hwnd()) {
        return;
    }
    const int code = LOWORD(wParam);
    switch (SliderEventOf(code)) {
        case SliderEvent::Moving:
            if (sliderMoving_) {
                sliderMoving_();
            }
            break;
        case SliderEvent::Settled:
            if ((slider_->Settle() || code == TB_THUMBPOSITION) && sliderSettled_) {
                sliderSettled_();
            }
            break;
        case SliderEvent::Ended:
            slider_->HidePopupText();
            break;
    }
}

LRESULT MainWindowView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (hook_) {
        if (const std::optional<LRESULT> result = hook_(message, wParam, lParam)) {
            return *result;
        }
    }
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED || lParam == 0) {
                if (const auto it = commands_.find(LOWORD(wParam)); it != commands_.end() && it->second) {
                    it->second();
                }
                return 0;
            }
            break;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            for (const Win32CheckList* list : {driveList_.get(), substituteList_.get()}) {
                if (list != nullptr && item.hwndItem == list->Hwnd()) {
                    list->Draw(item);
                    return TRUE;
                }
            }
            break;
        }
        case WM_VSCROLL:
            OnScroll(wParam, lParam);
            return 0;
        case WM_TIMER:
            if (wParam == kClockTimer) {
                UpdateClock();
                return 0;
            }
            break;
        case WM_WINDOWPOSCHANGED: {
            const auto& position = *reinterpret_cast<const WINDOWPOS*>(lParam);
            if ((position.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0) {
                OnShown((position.flags & SWP_SHOWWINDOW) != 0);
            }
            break;
        }
        case WM_SIZE:
            if (statusBarHwnd_ != nullptr) {
                SendMessageW(statusBarHwnd_, WM_SIZE, 0, 0);
                LayoutStatusBar();
            }
            break;
        case WM_DPICHANGED: {
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                         suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi();
            return 0;
        }
        case WM_HELP:
            if (helpHandler_) {
                helpHandler_();
            }
            return TRUE;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd_, kClockTimer);
            clockRunning_ = false;
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace wakelatch::win32ui
