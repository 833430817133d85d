#pragma once

#include <functional>

#include "platform/windows/Win32.h"

namespace wakelatch::win32app {

// Takes a message before it is translated and dispatched (dialog keyboard navigation): true when taken.
using PreTranslate = std::function<bool(MSG&)>;

// The program's message loop, until WM_QUIT; returns the quit message's exit code. The thread sleeps until
// a message comes or `endRequest` (an event, may be null) is set; `onEndRequest` then runs once, and the
// loop goes on until the quit message that the end posts.
int RunMessageLoop(HANDLE endRequest, const std::function<void()>& onEndRequest,
                   const PreTranslate& preTranslate);

// Dispatches the messages waiting now and returns: the event loop's turn in the middle of long work. A
// quit message met on the way is posted again for the loop that is to end.
void DispatchWaitingMessages(const PreTranslate& preTranslate);

}  // namespace wakelatch::win32app
