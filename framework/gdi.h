// GDI wrappers: a font that owns its handle, device contexts that own nothing but a paint
// session.
#pragma once

#include <windows.h>

class CWnd;

class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont() { DeleteObject(); }

    // Replaces the font with a new one made from `pLogFont`. The old one is deleted only once
    // the new one exists: if GDI fails, FALSE, and the old font stays.
    BOOL CreateFontIndirect(const LOGFONTA* pLogFont);
    void DeleteObject();
    operator HFONT() const { return m_hObject; }  // NOLINT: passed straight to GDI calls

    HFONT m_hObject = nullptr;  // owned by this object
};

// A device context the object does not own: released, if at all, by whoever created it.
class CDC {
public:
    explicit CDC(HDC hDC = nullptr) : m_hDC(hDC) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    // Selects the font; returns the object selected before (null on failure).
    HGDIOBJ SelectObject(CFont* pFont) { return ::SelectObject(m_hDC, pFont->m_hObject); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    operator HDC() const { return m_hDC; }  // NOLINT: passed straight to GDI calls

    HDC m_hDC;
};

// The paint session of a window's WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};
