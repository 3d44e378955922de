// Entry point of Glimmer.exe.
#include <windows.h>
#include <commctrl.h>

#include "viewer/app/StartUp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    s::app::win::StartUpParts parts;
    parts.runViewer = &s::app::win::runViewerWindow;
    s::app::win::runProgram(parts);
    return 0;
}
