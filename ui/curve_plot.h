// The curves window's plot: a ramp's levels, or each entry's effective gamma, against the entry,
// with axes, a legend, a comparison drawn dashed over it, and a cursor on one entry that the
// mouse and the keys move.
#pragma once

#include <windows.h>

#include <string>

#include "core/gamma_ramp.h"
#include "framework/controls.h"

// The colours of the red, green and blue figures and curves, and the labels' background.
constexpr COLORREF kChannelColours[lumatab::kChannelCount] = {RGB(250, 20, 20), RGB(20, 245, 90),
                                                              RGB(36, 160, 255)};
constexpr COLORREF kDarkBackground = RGB(56, 56, 56);

// What the ramp is compared with: the name the window gives it (a quoted file name, say) and
// the calibration it holds.
struct CurvesComparison {
    std::string name;
    lumatab::GammaRamp ramp;
};

enum class CurveView { Levels, EffectiveGamma };

// The notification code of the WM_COMMAND the plot sends its parent when its entry changes.
constexpr WORD kPlotEntryChanged = 0x0100;

// A top-down 24-bit picture in memory, selected into a memory device context; the bitmap and
// the device context are owned by this object.
class CPlotBitmap {
public:
    CPlotBitmap(int width, int height);
    CPlotBitmap(const CPlotBitmap&) = delete;
    CPlotBitmap& operator=(const CPlotBitmap&) = delete;
    ~CPlotBitmap();

    // FALSE when GDI could not make the bitmap; nothing may be drawn then.
    BOOL IsValid() const { return m_pBits != nullptr; }
    // Rows of `Stride()` bytes, blue, green, red per pixel; complete only after GdiFlush().
    BYTE* Bits() const { return static_cast<BYTE*>(m_pBits); }
    int Stride() const { return (m_nWidth * 3 + 3) & ~3; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    operator HDC() const { return m_hDC; }  // NOLINT: passed straight to GDI calls

private:
    int m_nWidth;
    int m_nHeight;
    HDC m_hDC;
    void* m_pBits = nullptr;  // owned by m_hBitmap
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
};

// A window's device context with the window's font selected (the GUI font before it has one),
// for measuring text as the window shows it. The context is released on destruction; the font
// is only borrowed.
class CWindowFontDC {
public:
    explicit CWindowFontDC(HWND hWnd);
    CWindowFontDC(const CWindowFontDC&) = delete;
    CWindowFontDC& operator=(const CWindowFontDC&) = delete;
    ~CWindowFontDC();
    operator HDC() const { return m_hDC; }  // NOLINT: passed straight to GDI calls

private:
    HWND m_hWnd;
    HDC m_hDC;
    HGDIOBJ m_hOldFont;
};

class CCurvePlot : public CStatic {
public:
    // The ramp to draw; not owned, it must outlive the window's paints.
    void SetRamp(const lumatab::GammaRamp& ramp);
    // The comparison drawn dashed over the ramp (null: none); not owned, like the ramp.
    void SetComparison(const CurvesComparison* pComparison);
    void SetView(CurveView view);
    // Moves the cursor to `entry` (kept within 0-255) and tells the parent if it moved.
    void SetEntry(int entry);
    int GetEntry() const { return m_nEntry; }
    // Draws the plot as the window shows it (cursor included, focus rectangle not) over the
    // whole bitmap, in the window's font.
    void Draw(CPlotBitmap& bitmap) const;

protected:
    void OnPaint();
    // Keys and the mouse move the cursor: arrows by one entry, Page Up and Page Down by 16,
    // Home and End to the ends.
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    // Redraws the focus rectangle.
    LRESULT OnFocusChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The part of a `width` by `height` picture where the curves go, inside the axes' labels
    // and under the legend.
    RECT PlotArea(HDC hDC, int width, int height) const;
    // Moves the cursor to the entry under client x-coordinate `x`.
    void MoveToPointer(int x);

    const lumatab::GammaRamp* m_pRamp = nullptr;
    lumatab::GammaTable m_table{};  // the ramp's effective gamma
    const CurvesComparison* m_pComparison = nullptr;
    lumatab::GammaTable m_comparisonTable{};
    CurveView m_view = CurveView::Levels;
    int m_nEntry = lumatab::kRampSize / 2;
    // Where the pointer was at the last move handled, on the screen. The system also reports a
    // pointer that stands still when windows change under it, which must not undo the keys.
    POINT m_ptLastPointer = {0, 0};
};
