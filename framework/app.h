// The application object: the program's one global CWinApp, started by AfxWinMain.
#pragma once

#include <windows.h>

#include "framework/window.h"

class CWinApp {
public:
    // Registers this object as the application; there is one, constructed before WinMain runs.
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp() = default;

    // The program's start-up; it runs its modal dialogs itself. The result is not used: the
    // layer has no message loop of its own, so the program ends when this returns.
    virtual BOOL InitInstance() { return TRUE; }
};

// The module whose resources the dialogs are built from: the executable.
HINSTANCE AfxGetResourceHandle();
// Prepares the user-interface thread (common controls, COM) and runs the application's
// InitInstance. Returns the process's exit code: 0, or 1 after a failure, which the user has
// been shown.
int AfxWinMain();
