// Looks at and pokes the windows of another program from inside Wine, for the GUI test of Wakelatch.exe:
// the controls of a Wine program are no X windows, so xdotool sees only the top-level windows. A test
// fixture, never shipped. Output is UTF-8, one line per answer.
//   texts <title>              every child window: "<id>\t<class>\t<text>"
//   center <title> <id>        screen point in the middle of a control: "<x> <y>"
//   row <title> <id> <row>     screen point in the tick box of a list row: "<x> <y>"
//   ticked <title> <id> <row>  "1" when the list row carries a tick (its item data), else "0"
//   rows <title> <id>          the rows of a list box, one a line
//   position <title> <id>      the position of a trackbar
//   close <title>              posts WM_CLOSE, as a task manager's polite end does
//   endsession <title>         the session's end as Windows announces it: WM_QUERYENDSESSION (its answer
//                              is printed), then WM_ENDSESSION with TRUE
// Exit status 0; 2 for bad arguments; 3 when there is no window with that title or no such control.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

#include <commctrl.h>

namespace {

using wakelatch::platform::utf::Narrow;
using wakelatch::platform::utf::Widen;

std::string TextOf(HWND window) {
    wchar_t text[512] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return Narrow(text);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    wchar_t windowClass[128] = {};
    GetClassNameW(child, windowClass, static_cast<int>(std::size(windowClass)));
    std::printf("%d\t%s\t%s\n", GetDlgCtrlID(child), Narrow(windowClass).c_str(), TextOf(child).c_str());
    return TRUE;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        return 2;
    }
    const std::string command = argv[1];
    const HWND window = FindWindowW(nullptr, Widen(argv[2]).c_str());
    if (window == nullptr) {
        return 3;
    }
    if (command == "texts") {
        EnumChildWindows(window, PrintChild, 0);
        return 0;
    }
    if (command == "close") {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == "endsession") {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                            &answer);
        std::printf("%d\n", static_cast<int>(answer));
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, nullptr);
        return 0;
    }
    if (argc < 4) {
        return 2;
    }
    const int id = std::atoi(argv[3]);
    const HWND control = GetDlgItem(window, id);
    if (control == nullptr) {
        return 3;
    }
    if (command == "rows") {
        const auto count = static_cast<int>(SendMessageW(control, LB_GETCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            wchar_t text[512] = {};
            if (SendMessageW(control, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0) < LRESULT{512}) {
                SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
            }
            std::printf("%s\n", Narrow(text).c_str());
        }
        return 0;
    }
    if (command == "position") {
        std::printf("%d\n", static_cast<int>(SendMessageW(control, TBM_GETPOS, 0, 0)));
        return 0;
    }
    if (command == "center") {
        RECT rect{};
        GetWindowRect(control, &rect);
        std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        return 0;
    }
    if (argc < 5) {
        return 2;
    }
    const int row = std::atoi(argv[4]);
    if (command == "ticked") {
        std::printf("%d\n", SendMessageW(control, LB_GETITEMDATA, static_cast<WPARAM>(row), 0) == 1 ? 1 : 0);
        return 0;
    }
    if (command == "row") {
        // Rows are of equal height; the tick box is square at the row's left edge.
        const auto height = static_cast<int>(SendMessageW(control, LB_GETITEMHEIGHT, 0, 0));
        const auto top = static_cast<int>(SendMessageW(control, LB_GETTOPINDEX, 0, 0));
        POINT point{height / 2 + 2, (row - top) * height + height / 2};
        ClientToScreen(control, &point);
        std::printf("%ld %ld\n", point.x, point.y);
        return 0;
    }
    return 2;
}
