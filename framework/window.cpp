#include "framework/window.h"

#include <unordered_map>

#include "framework/exceptions.h"

namespace {

// The objects of the subclassed windows. The program has one thread, so one map serves. (A
// window property would do too, but reading one is a call to the server under Wine, on every
// message.)
std::unordered_map<HWND, CWnd*> g_handleMap;

}  // namespace

// The window procedure of every subclassed window: hands the message to its object.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr) {
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    return pWnd->WindowProc(message, wParam, lParam);
}

CWnd::~CWnd() {
    UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    const auto found = g_handleMap.find(hWnd);
    return found == g_handleMap.end() ? nullptr : found->second;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (m_hWnd != nullptr || hWnd == nullptr || FromHandlePermanent(hWnd) != nullptr) {
        return FALSE;
    }
    // Mapped first: the window's next message may arrive as soon as the procedure is replaced.
    g_handleMap[hWnd] = this;
    m_hWnd = hWnd;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (m_pfnSuper == nullptr) {
        UnsubclassWindow();
        return FALSE;
    }
    return TRUE;
}

void CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr) {
        return;
    }
    if (m_pfnSuper != nullptr) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    g_handleMap.erase(m_hWnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

BOOL CWnd::UpdateData(BOOL /*bSaveAndValidate*/) {
    CDataExchange dx = {this};
    try {
        DoDataExchange(&dx);
    } catch (...) {
        AfxReportCurrentException(GetAncestor(m_hWnd, GA_ROOT));
        return FALSE;
    }
    return TRUE;
}

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, entries};
    return &messageMap;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Messages nest (a handler may send messages to its own window), so the outer one is kept.
    const Msg outer = m_curMsg;
    m_curMsg = {message, wParam, lParam};
    LRESULT lResult = 0;
    try {
        lResult = OnWndMsg(message, wParam, lParam);
    } catch (...) {
        // The box is owned by the top-level window, which it disables while it is shown.
        AfxReportCurrentException(GetAncestor(m_hWnd, GA_ROOT));
        lResult = Default();
    }
    if (message == WM_NCDESTROY) {
        UnsubclassWindow();
    }
    m_curMsg = outer;
    return lResult;
}

LRESULT CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        const HWND hChild = reinterpret_cast<HWND>(lParam);
        CWnd* pChild = hChild != m_hWnd ? FromHandlePermanent(hChild) : nullptr;
        if (pChild != nullptr) {
            const LRESULT hBrush =
                pChild->WindowProc(WM_REFLECT_CTLCOLOR, wParam, message - WM_CTLCOLORMSGBOX);
            if (hBrush != 0) {
                return hBrush;
            }
        }
    }
    // Menus (0) and accelerators (1) send commands with no control: both are plain commands.
    const UINT nCode = message == WM_COMMAND && lParam != 0 ? HIWORD(wParam) : 0;
    const UINT nID = message == WM_COMMAND ? LOWORD(wParam) : 0;
    // This class's map first, then its base classes' maps.
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nMessage != 0; ++pEntry) {
            if (pEntry->nMessage == message && pEntry->nCode == nCode && pEntry->nID == nID) {
                return pEntry->pfn(this, wParam, lParam);
            }
        }
    }
    return Default();
}

LRESULT CWnd::Default() {
    // The layer's own messages mean nothing to the window's procedure.
    if (m_curMsg.message == WM_REFLECT_CTLCOLOR || m_pfnSuper == nullptr) {
        return 0;
    }
    return CallWindowProcA(m_pfnSuper, m_hWnd, m_curMsg.message, m_curMsg.wParam, m_curMsg.lParam);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr) {
        return;
    }
    const HWND hControl = GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    if (!rControl.SubclassWindow(hControl)) {
        AfxThrowInvalidArgException();
    }
}
