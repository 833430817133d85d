#include "app/win32/MessageLoop.h"

namespace wakelatch::win32app {
namespace {

// False when the message is WM_QUIT (left in `quitCode`); dispatches everything else waiting.
bool DispatchPending(const PreTranslate& preTranslate, int& quitCode) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            quitCode = static_cast<int>(message.wParam);
            return false;
        }
        if (preTranslate && preTranslate(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

}  // namespace

int RunMessageLoop(HANDLE endRequest, const std::function<void()>& onEndRequest,
                   const PreTranslate& preTranslate) {
    bool endHandled = endRequest == nullptr;
    int quitCode = 0;
    while (DispatchPending(preTranslate, quitCode)) {
        // The event stays set (manual reset): once handled it is no longer waited on.
        const DWORD count = endHandled ? 0 : 1;
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(count, &endRequest, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (count == 1 && woken == WAIT_OBJECT_0) {
            endHandled = true;
            if (onEndRequest) {
                onEndRequest();
            }
        }
    }
    return quitCode;
}

void DispatchWaitingMessages(const PreTranslate& preTranslate) {
    int quitCode = 0;
    if (!DispatchPending(preTranslate, quitCode)) {
        PostQuitMessage(quitCode);
    }
}

}  // namespace wakelatch::win32app
