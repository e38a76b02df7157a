#include "ui/app.h"

#include "framework/exceptions.h"
#include "ui/main_dialog.h"

BOOL CLumatabApp::InitInstance() {
    CLumatabDlg dlg;
    const INT_PTR result = dlg.DoModal();
    // -1: the template never became a window, so the user has seen nothing yet.
    if (result == -1) {
        AfxThrowResourceException();
    }
    // FALSE: there is nothing more to run; the process ends.
    return FALSE;
}

// The program's one application object.
CLumatabApp theApp;
