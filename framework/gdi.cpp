#include "framework/gdi.h"

#include "framework/window.h"

BOOL CFont::CreateFontIndirect(const LOGFONTA* pLogFont) {
    return Attach(::CreateFontIndirectA(pLogFont));
}

BOOL CFont::Attach(HFONT hFont) {
    if (hFont == nullptr) {
        return FALSE;
    }
    DeleteObject();
    m_hObject = hFont;
    return TRUE;
}

BOOL CFont::DeleteObject() {
    if (m_hObject == nullptr) {
        return FALSE;
    }
    const BOOL deleted = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return deleted;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
    m_hDC = BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    EndPaint(m_hWnd, &m_ps);
}
