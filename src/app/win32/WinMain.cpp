#include "app/win32/Win32Application.h"
#include "platform/EndRequests.h"
#include "ui/win32/CommonControls.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything else: a session that ends right after logon reaches a program that is still
    // starting, and that request must end it in order.
    wakelatch::platform::InstallEndRequestHandlers();
    INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&common);
    wakelatch::Win32Application application;
    return application.Run();
}
