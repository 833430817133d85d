#include "ui/win32/Win32MessageBox.h"

#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

namespace wakelatch::win32ui {
namespace {

UINT IconFlag(controls::MessageIcon icon) {
    switch (icon) {
        case controls::MessageIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case controls::MessageIcon::Question:
            return MB_ICONQUESTION;
        case controls::MessageIcon::Information:
            return MB_ICONINFORMATION;
        case controls::MessageIcon::None:
            break;
    }
    return 0;
}

}  // namespace

std::wstring WindowsLineBreaks(const std::string& text) {
    const std::wstring wide = platform::utf::Widen(text);
    std::wstring result;
    result.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        result += wide[i];
        if (wide[i] == L'\r' && (i + 1 == wide.size() || wide[i + 1] != L'\n')) {
            result += L'\n';
        }
    }
    return result;
}

int Win32MessageBox::Show(const std::string& text, const std::string& title, controls::MessageIcon icon,
                          controls::MessageButtons buttons) {
    const HWND owner = GetActiveWindow();
    const bool question = buttons == controls::MessageButtons::YesNo;
    const UINT flags = (question ? MB_YESNO : MB_OK) | IconFlag(icon) |
                       (owner == nullptr ? MB_TASKMODAL : 0U) | MB_SETFOREGROUND;
    const int answer =
        MessageBoxW(owner, WindowsLineBreaks(text).c_str(), platform::utf::Widen(title).c_str(), flags);
    if (!question) {
        return controls::kAnswerOk;
    }
    return answer == IDYES ? controls::kAnswerYes : controls::kAnswerNo;
}

}  // namespace wakelatch::win32ui
