// Attaching objects to windows, the per-thread handle map, and the window and GDI wrappers,
// against real windows.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "framework/gdi.h"
#include "framework/window.h"

namespace {

// A window whose painting is done by the layer's paint session.
class CPaintingWnd : public CWnd {
public:
    int m_nPaints = 0;
    RECT m_rcPainted = {};

protected:
    // Paint: records the area the session was given.
    void OnPaint() {
        CPaintDC dc(this);
        ++m_nPaints;
        m_rcPainted = dc.m_ps.rcPaint;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintingWnd, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

// Hidden unless it must paint: Wine takes a while to take a shown window off the X display.
HWND CreateStatic(const char* text = "", DWORD visible = 0) {
    return CreateWindowExA(0, "STATIC", text, WS_POPUP | visible, 0, 0, 120, 40, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(Subclassing, MapsTheWindowAndRestoresItsProcedureWhenUndone) {
    const HWND hWnd = CreateStatic();
    const LONG_PTR original = GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hWnd));
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);
        EXPECT_NE(GetWindowLongPtrA(hWnd, GWLP_WNDPROC), original);

        // One object per window, one window per object.
        CWnd other;
        EXPECT_FALSE(other.SubclassWindow(hWnd));
        EXPECT_FALSE(wnd.SubclassWindow(CreateStatic()));
        EXPECT_FALSE(other.SubclassWindow(nullptr));

        EXPECT_EQ(wnd.UnsubclassWindow(), hWnd);
        EXPECT_EQ(wnd.m_hWnd, nullptr);
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
        EXPECT_EQ(GetWindowLongPtrA(hWnd, GWLP_WNDPROC), original);

        // The object dies before its window: the window gets its procedure back.
        CWnd shortLived;
        ASSERT_TRUE(shortLived.SubclassWindow(hWnd));
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(hWnd, GWLP_WNDPROC), original);
    DestroyWindow(hWnd);
}

TEST(Subclassing, ADestroyedWindowIsForgotten) {
    CWnd wnd;
    const HWND hWnd = CreateStatic();
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    DestroyWindow(hWnd);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(Subclassing, TheHandleMapBelongsToTheThread) {
    CWnd wnd;
    const HWND hWnd = CreateStatic();
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    CWnd* pSeen = &wnd;
    std::thread([&] { pSeen = CWnd::FromHandlePermanent(hWnd); }).join();
    EXPECT_EQ(pSeen, nullptr);
    DestroyWindow(hWnd);
}

TEST(Subclassing, UnmappedMessagesGetTheWindowsOwnProcessing) {
    CWnd wnd;
    const HWND hWnd = CreateStatic("before");
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    wnd.SetWindowText("after");
    EXPECT_EQ(wnd.GetWindowText(), CString("after"));
    const std::string longText(300, 'x');
    wnd.SetWindowText(longText.c_str());
    EXPECT_EQ(std::string(wnd.GetWindowText()), longText);
    wnd.SetWindowText("");
    EXPECT_TRUE(wnd.GetWindowText().IsEmpty());

    wnd.SetIcon(LoadIcon(nullptr, IDI_WARNING), TRUE);
    wnd.SetIcon(LoadIcon(nullptr, IDI_ERROR), FALSE);
    EXPECT_EQ(wnd.SendMessage(WM_GETICON, ICON_BIG),
              reinterpret_cast<LRESULT>(LoadIcon(nullptr, IDI_WARNING)));
    EXPECT_EQ(wnd.SendMessage(WM_GETICON, ICON_SMALL),
              reinterpret_cast<LRESULT>(LoadIcon(nullptr, IDI_ERROR)));

    RECT rc = {};
    wnd.GetClientRect(&rc);
    EXPECT_EQ(rc.right - rc.left, 120);
    EXPECT_EQ(rc.bottom - rc.top, 40);
    EXPECT_FALSE(wnd.IsIconic());
    DestroyWindow(hWnd);
}

TEST(Painting, ThePaintSessionValidatesWhatItWasGiven) {
    CPaintingWnd wnd;
    const HWND hWnd = CreateStatic("", WS_VISIBLE);
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    UpdateWindow(hWnd);
    const int nBefore = wnd.m_nPaints;
    const RECT rcDirty = {10, 5, 30, 25};
    InvalidateRect(hWnd, &rcDirty, FALSE);
    UpdateWindow(hWnd);
    EXPECT_EQ(wnd.m_nPaints, nBefore + 1);
    EXPECT_TRUE(EqualRect(&wnd.m_rcPainted, &rcDirty));
    EXPECT_FALSE(GetUpdateRect(hWnd, nullptr, FALSE));
    DestroyWindow(hWnd);
}

TEST(Painting, AnUnattachedWindowRedrawsNothing) {
    // A null handle would make RedrawWindow repaint the whole desktop.
    CWnd wnd;
    EXPECT_FALSE(wnd.RedrawWindow());
}

TEST(Font, OwnsOneHandleAtATime) {
    LOGFONTA lf = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    HFONT hFirst = nullptr;
    HFONT hAttached = CreateFontIndirectA(&lf);
    {
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&lf));
        hFirst = font;
        EXPECT_EQ(GetObjectType(hFirst), static_cast<DWORD>(OBJ_FONT));
        // Attaching deletes the font held before; a null handle is refused.
        ASSERT_TRUE(font.Attach(hAttached));
        EXPECT_EQ(GetObjectType(hFirst), 0u);
        EXPECT_FALSE(font.Attach(nullptr));
        EXPECT_EQ(font.m_hObject, hAttached);
        // A detached font is the caller's.
        EXPECT_EQ(font.Detach(), hAttached);
        EXPECT_FALSE(font.DeleteObject());
        ASSERT_TRUE(font.Attach(hAttached));
    }
    // The destructor deleted the font it owned.
    EXPECT_EQ(GetObjectType(hAttached), 0u);
}
