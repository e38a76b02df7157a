#include "framework/handles.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/app.h"
#include "framework/window.h"

CSystemLibrary::CSystemLibrary(const char* name) {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        *m_module.Out() = LoadLibraryA((std::string(folder) + "\\" + name).c_str());
    }
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
    m_hDC = BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    EndPaint(m_hWnd, &m_ps);
}

HFONT AfxWindowFont(HWND hWnd) {
    const auto hFont = reinterpret_cast<HFONT>(SendMessageA(hWnd, WM_GETFONT, 0, 0));
    return hFont != nullptr ? hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

CWindowFontDC::CWindowFontDC(HWND hWnd)
    : CDC(GetDC(hWnd)), m_hWnd(hWnd), m_hOldFont(::SelectObject(m_hDC, AfxWindowFont(hWnd))) {}

CWindowFontDC::~CWindowFontDC() {
    ::SelectObject(m_hDC, m_hOldFont);
    ReleaseDC(m_hWnd, m_hDC);
}

CMemoryBitmap::CMemoryBitmap(int width, int height)
    : CDC(CreateCompatibleDC(nullptr)),
      m_nWidth(std::max(width, 1)),
      m_nHeight(std::max(height, 1)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_nWidth;
    info.bmiHeader.biHeight = -m_nHeight;  // top-down: row 0 is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    m_hBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &m_pBits, nullptr, 0);
    if (m_hDC == nullptr || m_hBitmap == nullptr) {
        m_pBits = nullptr;
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
}

CMemoryBitmap::~CMemoryBitmap() {
    if (m_hOldBitmap != nullptr) {
        ::SelectObject(m_hDC, m_hOldBitmap);
    }
    if (m_hBitmap != nullptr) {
        DeleteObject(m_hBitmap);
    }
    if (m_hDC != nullptr) {
        DeleteDC(m_hDC);
    }
}

CResourceMenu::CResourceMenu(UINT nID)
    : m_hMenu(LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID))) {}

CRedrawSuspended::CRedrawSuspended(CWnd& wnd) : m_wnd(wnd) {
    m_wnd.SetRedraw(FALSE);
}

CRedrawSuspended::~CRedrawSuspended() {
    m_wnd.SetRedraw(TRUE);
    m_wnd.RedrawWindow(nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

BOOL AfxSetClipboardText(HWND hOwner, const std::string& text) {
    if (!OpenClipboard(hOwner)) {
        return FALSE;
    }
    // Owned here until the clipboard takes it.
    const HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    void* pText = hText != nullptr ? GlobalLock(hText) : nullptr;
    BOOL taken = FALSE;
    if (pText != nullptr) {
        std::memcpy(pText, text.c_str(), text.size() + 1);
        GlobalUnlock(hText);
        taken = EmptyClipboard() && SetClipboardData(CF_TEXT, hText) != nullptr;
    }
    if (!taken && hText != nullptr) {
        GlobalFree(hText);
    }
    CloseClipboard();
    return taken;
}
