#pragma once

#include "platform/EndRequests.h"
#include "platform/windows/Win32.h"

namespace wakelatch::platform {

// A manual-reset event that is set when an end request arrives, so that a message loop can wait for
// messages and the request together (MsgWaitForMultipleObjects). Null before InstallEndRequestHandlers.
HANDLE EndRequestEvent();

}  // namespace wakelatch::platform
