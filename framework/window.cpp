#include "framework/window.h"

#include <exception>
#include <unordered_map>

#include "framework/exceptions.h"

namespace {

// The windows this thread has attached to objects. Windows belong to the thread that created
// them, so each thread keeps its own map.
std::unordered_map<HWND, CWnd*>& HandleMap() {
    thread_local std::unordered_map<HWND, CWnd*> map;
    return map;
}

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
    if (m_hWnd != nullptr) {
        UnsubclassWindow();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    const auto found = HandleMap().find(hWnd);
    return found == HandleMap().end() ? nullptr : found->second;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (m_hWnd != nullptr || hWnd == nullptr || FromHandlePermanent(hWnd) != nullptr) {
        return FALSE;
    }
    // Mapped first: the window's next message may arrive as soon as the procedure is replaced.
    HandleMap()[hWnd] = this;
    m_hWnd = hWnd;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (m_pfnSuper == nullptr) {
        Detach();
        return FALSE;
    }
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    const HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        Detach();
    }
    return hWnd;
}

void CWnd::Detach() {
    HandleMap().erase(m_hWnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(const char* text) {
    ::SetWindowTextA(m_hWnd, text);
}

CString CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
    return CString(text.c_str(), copied);
}

void CWnd::GetClientRect(RECT* pRect) const {
    ::GetClientRect(m_hWnd, pRect);
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::RedrawWindow(const RECT* pRectUpdate, HRGN hRgnUpdate, UINT flags) {
    // A null window would mean the whole desktop.
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    return ::RedrawWindow(m_hWnd, pRectUpdate, hRgnUpdate, flags);
}

void CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (...) {
        ReportCurrentException();
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

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
        ReportCurrentException();
        lResult = Default();
    }
    if (message == WM_NCDESTROY) {
        Detach();
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
    UINT nCode = 0;
    UINT nID = 0;
    if (message == WM_COMMAND) {
        nCode = HIWORD(wParam);
        nID = LOWORD(wParam);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(message, nCode, nID);
    return pEntry != nullptr ? pEntry->pfn(this, wParam, lParam) : Default();
}

const AFX_MSGMAP_ENTRY* CWnd::FindEntry(UINT message, UINT nCode, UINT nID) const {
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nMessage != 0; ++pEntry) {
            if (pEntry->nMessage == message && pEntry->nCode == nCode && pEntry->nID == nID) {
                return pEntry;
            }
        }
    }
    return nullptr;
}

LRESULT CWnd::Default() {
    // The layer's own messages mean nothing to the window's procedure.
    if (m_curMsg.message == WM_REFLECT_CTLCOLOR || m_pfnSuper == nullptr) {
        return 0;
    }
    return CallWindowProcA(m_pfnSuper, m_hWnd, m_curMsg.message, m_curMsg.wParam, m_curMsg.lParam);
}

void CWnd::ReportCurrentException() const {
    // The box is owned by the top-level window, which it disables while it is shown.
    const HWND hOwner = m_hWnd != nullptr ? GetAncestor(m_hWnd, GA_ROOT) : nullptr;
    try {
        throw;
    } catch (const CException& e) {
        e.ReportError(hOwner);
    } catch (const std::exception& e) {
        CString text = "The program met an error and did not finish the last action:\n";
        text += e.what();
        MessageBoxA(hOwner, text, AfxGetAppName(), MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxA(hOwner, "The program met an unknown error and did not finish the last action.",
                    AfxGetAppName(), MB_OK | MB_ICONERROR);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr) {
        return;
    }
    const HWND hControl = GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    if (hControl == nullptr || !rControl.SubclassWindow(hControl)) {
        AfxThrowInvalidArgException();
    }
}
