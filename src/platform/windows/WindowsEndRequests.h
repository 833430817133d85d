#pragma once

#include "platform/EndRequests.h"
#include "platform/windows/Win32.h"

namespace wakelatch::platform {

// A manual-reset event that is set when an end request arrives, so that a message loop can wait for
// messages and the request together (MsgWaitForMultipleObjects). Null before InstallEndRequestHandlers.
HANDLE EndRequestEvent();

// The handler that InstallEndRequestHandlers registers for console events (Ctrl+C, Ctrl+Break, closing
// the console, logging off, shutting down). Open to tests: Wine gives a process without a terminal no
// console to send such an event to.
BOOL WINAPI OnConsoleEvent(DWORD type);

}  // namespace wakelatch::platform
