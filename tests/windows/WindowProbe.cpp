// Looks at and pokes the windows of another program from inside Wine, for the GUI test of Wakelatch.exe:
// the controls of a Wine program are no X windows, so xdotool sees only the top-level windows. A test
// fixture, never shipped. Output is UTF-8, one line per answer.
//   rows <title> <id>     the rows of a list box, one a line: "<x> <y>\t<text>", the screen point in the
//                         row's tick box first
//   center <title> <id>   screen point in the middle of a control: "<x> <y>"
//   endsession <title>    the session's end as Windows announces it: WM_QUERYENDSESSION (its answer is
//                         printed), then WM_ENDSESSION with TRUE
// Exit status 0; 2 for bad arguments; 3 when there is no window with that title or no such control.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/windows/Utf.h"
#include "platform/windows/Win32.h"

int main(int argc, char* argv[]) {
    if (argc < 3) {
        return 2;
    }
    const std::string command = argv[1];
    const HWND window = FindWindowW(nullptr, wakelatch::platform::utf::Widen(argv[2]).c_str());
    if (window == nullptr) {
        return 3;
    }
    if (command == "endsession") {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                            &answer);
        std::printf("%d\n", static_cast<int>(answer));
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, nullptr);
        return 0;
    }
    const HWND control = argc < 4 ? nullptr : GetDlgItem(window, std::atoi(argv[3]));
    if (control == nullptr) {
        return 3;
    }
    if (command == "rows") {
        // Rows are of equal height; the tick box is square at the row's left edge.
        const auto height = static_cast<int>(SendMessageW(control, LB_GETITEMHEIGHT, 0, 0));
        const auto top = static_cast<int>(SendMessageW(control, LB_GETTOPINDEX, 0, 0));
        const auto count = static_cast<int>(SendMessageW(control, LB_GETCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            wchar_t text[512] = {};
            if (SendMessageW(control, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0) < LRESULT{512}) {
                SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
            }
            POINT point{height / 2 + 2, (row - top) * height + height / 2};
            ClientToScreen(control, &point);
            std::printf("%ld %ld\t%s\n", point.x, point.y, wakelatch::platform::utf::Narrow(text).c_str());
        }
        return 0;
    }
    if (command == "center") {
        RECT rect{};
        GetWindowRect(control, &rect);
        std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        return 0;
    }
    return 2;
}
