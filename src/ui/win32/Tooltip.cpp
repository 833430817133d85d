#include "ui/win32/Tooltip.h"

#include "ui/win32/CommonControls.h"

namespace wakelatch::win32ui {

HWND CreateTooltip(HWND control) {
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           GetAncestor(control, GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace wakelatch::win32ui
