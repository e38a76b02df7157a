#include "ui/app.h"

#include "ui/main_dialog.h"

BOOL CLumatabApp::InitInstance() {
    CLumatabDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;  // the dialog object ends with this routine
    // FALSE: there is nothing more to run; the process ends.
    return FALSE;
}

// The program's one application object.
CLumatabApp theApp;
