// The window class of the class layer: a C++ object attached to an HWND, whose messages reach
// member handlers through the class's static message map.
#pragma once

#include <windows.h>

#include "framework/handles.h"
#include "framework/message_map.h"
#include "framework/string.h"

class CWnd;

// The target of one UpdateData pass.
struct CDataExchange {
    CWnd* m_pDlgWnd;  // the dialog whose controls are exchanged
};

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Unsubclasses a window that is still attached; the window itself is not destroyed.
    virtual ~CWnd();

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object attached to `hWnd`, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Attaches this object to an existing window and routes its messages through the map.
    BOOL SubclassWindow(HWND hWnd);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    void GetClientRect(RECT* pRect) const { ::GetClientRect(m_hWnd, pRect); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    // Does nothing before the window is attached: a null window would mean the whole desktop.
    BOOL RedrawWindow(const RECT* pRectUpdate = nullptr, HRGN hRgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return m_hWnd != nullptr && ::RedrawWindow(m_hWnd, pRectUpdate, hRgnUpdate, flags);
    }
    void SetIcon(HICON hIcon, BOOL bBigIcon) {
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    }
    // Stops or resumes the window's redrawing (WM_SETREDRAW).
    void SetRedraw(BOOL bRedraw) { SendMessage(WM_SETREDRAW, bRedraw); }

    // Runs DoDataExchange; a failure in it is reported to the user and gives FALSE. The program's
    // dialogs exchange only controls, which DDX_Control binds once, so both directions are one.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}

    HWND m_hWnd = nullptr;  // not owned: the window is destroyed by its parent or its dialog

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The window's own processing of the message being handled.
    LRESULT Default();
    // Default painting, by the window's own procedure.
    void OnPaint() { Default(); }

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);

    // Handles one message: saves it for Default(), dispatches it and reports any exception
    // that leaves the handler, which then gets the default result.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The map's handler for the message (after offering a child's WM_CTLCOLOR* to the child),
    // otherwise Default().
    LRESULT OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam);
    // Restores the window's own procedure and forgets the window.
    void UnsubclassWindow();

    WNDPROC m_pfnSuper = nullptr;  // the window's procedure before it was subclassed
    struct Msg {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } m_curMsg = {0, 0, 0};  // the message being handled, for Default()
};

// Attaches the dialog's control `nIDC` to `rControl` on the first call; later calls do nothing.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
