// Every owner of a handle that the windows use, in one place. Each object owns what its comment
// says, gives it back when it is destroyed, and cannot be copied.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

// Memory or a handle a system call gave the caller, given back with `Free` (LocalFree,
// CoTaskMemFree, FreeLibrary) when this object goes.
template <typename Pointer, auto Free>
class CSystemHandle {
public:
    explicit CSystemHandle(Pointer p = nullptr) : m_p(p) {}
    CSystemHandle(const CSystemHandle&) = delete;
    CSystemHandle& operator=(const CSystemHandle&) = delete;
    ~CSystemHandle() {
        if (m_p != nullptr) {
            Free(m_p);
        }
    }
    // Where the allocating call puts it; the object must hold none yet.
    Pointer* Out() { return &m_p; }
    Pointer Get() const { return m_p; }

private:
    Pointer m_p;
};

// A DLL of the system folder, loaded by its full path, so that a DLL of the same name beside the
// program or in the current folder never stands in for it; freed with this object.
class CSystemLibrary {
public:
    explicit CSystemLibrary(const char* name);
    // The function `name`, as a pointer of type Function; null where the DLL or it is missing.
    template <typename Function>
    Function Find(const char* name) const {
        const FARPROC address =
            m_module.Get() != nullptr ? GetProcAddress(m_module.Get(), name) : nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
    }

private:
    CSystemHandle<HMODULE, FreeLibrary> m_module;
};

// A file handle from CreateFileA, closed when this object goes.
class CFileHandle {
public:
    explicit CFileHandle(HANDLE hFile) : m_hFile(hFile) {}
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    ~CFileHandle() {
        if (m_hFile != INVALID_HANDLE_VALUE) {
            CloseHandle(m_hFile);
        }
    }
    operator HANDLE() const { return m_hFile; }  // NOLINT: passed straight to the file calls

private:
    HANDLE m_hFile;
};

// A GDI object (a pen, a brush, a font), deleted with this object.
template <typename Handle>
class CGdiObject {
public:
    explicit CGdiObject(Handle hObject = nullptr) : m_hObject(hObject) {}
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() { DeleteObject(); }

    // Takes `hObject` in place of the object held, which is deleted only now: a null handle (GDI
    // could not make the new object) keeps the old one and gives FALSE.
    BOOL Replace(Handle hObject) {
        if (hObject == nullptr) {
            return FALSE;
        }
        DeleteObject();
        m_hObject = hObject;
        return TRUE;
    }
    void DeleteObject() {
        if (m_hObject != nullptr) {
            ::DeleteObject(m_hObject);
            m_hObject = nullptr;
        }
    }
    operator Handle() const { return m_hObject; }  // NOLINT: passed straight to GDI calls

private:
    Handle m_hObject;
};

using CBrush = CGdiObject<HBRUSH>;

class CFont : public CGdiObject<HFONT> {
public:
    // Replaces the font with one made from `pLogFont`, as Replace does: FALSE keeps the old one.
    BOOL CreateFontIndirect(const LOGFONTA* pLogFont) {
        return Replace(pLogFont != nullptr ? ::CreateFontIndirectA(pLogFont) : nullptr);
    }
};

// A pen made for a scope and selected into a device context meanwhile; the context gets its
// previous pen back before the pen is deleted.
class CPenSelection {
public:
    CPenSelection(HDC hDC, int style, int width, COLORREF colour)
        : m_hDC(hDC), m_pen(CreatePen(style, width, colour)), m_hOld(SelectObject(hDC, m_pen)) {}
    CPenSelection(const CPenSelection&) = delete;
    CPenSelection& operator=(const CPenSelection&) = delete;
    ~CPenSelection() { SelectObject(m_hDC, m_hOld); }

private:
    HDC m_hDC;
    CGdiObject<HPEN> m_pen;
    HGDIOBJ m_hOld;
};

// A device context the object does not own: released, if at all, by whoever created it.
class CDC {
public:
    explicit CDC(HDC hDC = nullptr) : m_hDC(hDC) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    // Selects the font; returns the object selected before (null on failure).
    HGDIOBJ SelectObject(const CFont& font) { return ::SelectObject(m_hDC, font); }
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

private:
    PAINTSTRUCT m_ps;
    HWND m_hWnd;
};

// The font a window draws its text in (a dialog's, say), or the GUI font before it has one;
// neither is owned by the caller.
HFONT AfxWindowFont(HWND hWnd);

// A window's device context, released on destruction, with the window's font selected (only
// borrowed), for measuring text as the window shows it.
class CWindowFontDC : public CDC {
public:
    explicit CWindowFontDC(HWND hWnd);
    ~CWindowFontDC() override;

private:
    HWND m_hWnd;
    HGDIOBJ m_hOldFont;
};

// A top-down 24-bit picture in memory, selected into a memory device context: the bitmap and the
// device context are owned by this object.
class CMemoryBitmap : public CDC {
public:
    CMemoryBitmap(int width, int height);
    ~CMemoryBitmap() override;

    // FALSE when GDI could not make the bitmap; nothing may be drawn then.
    BOOL IsValid() const { return m_pBits != nullptr; }
    // Rows of `Stride()` bytes, blue, green, red per pixel; complete only after GdiFlush().
    BYTE* Bits() const { return static_cast<BYTE*>(m_pBits); }
    int Stride() const { return (m_nWidth * 3 + 3) & ~3; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

private:
    int m_nWidth;
    int m_nHeight;
    void* m_pBits = nullptr;  // owned by m_hBitmap
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
};

// One reference to a COM interface, released with this object.
template <typename Interface>
class CComPtr {
public:
    CComPtr() = default;
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    ~CComPtr() {
        if (m_p != nullptr) {
            m_p->Release();
        }
    }
    // Where a creating call puts the reference; the object must hold none yet.
    Interface** Out() { return &m_p; }
    void** OutVoid() { return reinterpret_cast<void**>(&m_p); }
    Interface* operator->() const { return m_p; }
    Interface* Get() const { return m_p; }

private:
    Interface* m_p = nullptr;
};

// A menu from the executable's resources, destroyed with this object.
class CResourceMenu {
public:
    explicit CResourceMenu(UINT nID);
    CResourceMenu(const CResourceMenu&) = delete;
    CResourceMenu& operator=(const CResourceMenu&) = delete;
    ~CResourceMenu() { DestroyMenu(m_hMenu); }
    // The drop-down at `position`; null if there is none.
    HMENU SubMenu(int position) const { return GetSubMenu(m_hMenu, position); }

private:
    HMENU m_hMenu;
};

// Suspends a window's redrawing for a scope, then repaints it whole, once: a list filled row by row
// while it redraws takes about a second under Wine.
class CRedrawSuspended {
public:
    explicit CRedrawSuspended(CWnd& wnd);
    CRedrawSuspended(const CRedrawSuspended&) = delete;
    CRedrawSuspended& operator=(const CRedrawSuspended&) = delete;
    ~CRedrawSuspended();

private:
    CWnd& m_wnd;
};

// Puts `text` on the clipboard as CF_TEXT for `hOwner`; FALSE if the clipboard does not take it.
BOOL AfxSetClipboardText(HWND hOwner, const std::string& text);
