#include "framework/app.h"

#include <objbase.h>

#include <exception>

#include <commctrl.h>

#include "framework/exceptions.h"

namespace {

CWinApp* g_pApp = nullptr;  // not owned: the application object is a global of the program

}  // namespace

CWinApp::CWinApp() {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) {
        g_pApp = nullptr;
    }
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

HINSTANCE AfxGetResourceHandle() {
    return GetModuleHandleA(nullptr);
}

int AfxWinMain() {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr) {
        return 1;
    }

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    // The shell's save dialog is a COM object that needs a single-threaded apartment.
    const HRESULT hrCom = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    int exitCode = 0;
    try {
        pApp->InitInstance();
    } catch (const CException& e) {
        e.ReportError(nullptr);
        exitCode = 1;
    } catch (const std::exception& e) {
        CString text = "The program could not start:\n";
        text += e.what();
        MessageBoxA(nullptr, text, AfxGetAppName(), MB_OK | MB_ICONERROR);
        exitCode = 1;
    } catch (...) {
        MessageBoxA(nullptr, "The program met an unknown error and could not start.",
                    AfxGetAppName(), MB_OK | MB_ICONERROR);
        exitCode = 1;
    }
    if (SUCCEEDED(hrCom)) {
        CoUninitialize();
    }
    return exitCode;
}
