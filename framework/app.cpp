#include "framework/app.h"

#include <objbase.h>

#include <commctrl.h>

#include "framework/exceptions.h"

namespace {

CWinApp* g_pApp = nullptr;  // not owned: the application object is a global of the program

}  // namespace

CWinApp::CWinApp() {
    g_pApp = this;
}

HINSTANCE AfxGetResourceHandle() {
    return GetModuleHandleA(nullptr);
}

int AfxWinMain() {
    // The shell's file dialogs are COM objects that need a single-threaded apartment.
    const HRESULT hrCom =
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int exitCode = 0;
    try {
        const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX),
                                               ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        if (g_pApp == nullptr || !InitCommonControlsEx(&controls)) {
            AfxThrowResourceException();
        }
        g_pApp->InitInstance();
    } catch (...) {
        AfxReportCurrentException(nullptr);
        exitCode = 1;
    }
    if (SUCCEEDED(hrCom)) {
        CoUninitialize();
    }
    return exitCode;
}
