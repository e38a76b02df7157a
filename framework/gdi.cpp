#include "framework/gdi.h"

#include "framework/window.h"

BOOL CFont::CreateFontIndirect(const LOGFONTA* pLogFont) {
    const HFONT hFont = ::CreateFontIndirectA(pLogFont);
    if (hFont == nullptr) {
        return FALSE;
    }
    DeleteObject();
    m_hObject = hFont;
    return TRUE;
}

void CFont::DeleteObject() {
    if (m_hObject != nullptr) {
        ::DeleteObject(m_hObject);
        m_hObject = nullptr;
    }
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
    m_hDC = BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    EndPaint(m_hWnd, &m_ps);
}
