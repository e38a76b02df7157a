// The curves window's plot: a ramp's levels, or each entry's effective gamma, against the entry,
// with axes, a legend, a comparison drawn dashed over it, and a cursor on one entry that the
// mouse and the keys move.
#pragma once

#include <windows.h>

#include "core/gamma_ramp.h"
#include "diagnosis/comparison.h"
#include "framework/controls.h"
#include "framework/handles.h"

enum class CurveView { Levels, EffectiveGamma };

// The notification code of the WM_COMMAND the plot sends its parent when its entry changes.
constexpr WORD kPlotEntryChanged = 0x0100;

class CCurvePlot : public CStatic {
public:
    // The ramp to draw; not owned, it must outlive the window's paints.
    void SetRamp(const lumatab::GammaRamp& ramp);
    // The comparison drawn dashed over the ramp (null: none); not owned, like the ramp.
    void SetComparison(const Comparison* pComparison);
    void SetView(CurveView view);
    // Moves the cursor to `entry` (kept within 0-255) and tells the parent if it moved.
    void SetEntry(int entry);
    int GetEntry() const { return m_nEntry; }
    // Draws the plot as the window shows it (cursor included, focus rectangle not) over the
    // whole bitmap, in the window's font.
    void Draw(CMemoryBitmap& bitmap) const;

protected:
    void OnPaint();
    // Keys move the cursor as they move a horizontal slider: Right and Down one entry on, Left
    // and Up one back, Page Down 16 on, Page Up 16 back, Home and End to the ends.
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    // The mouse moves the cursor to the entry under it.
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    // Redraws the focus rectangle.
    LRESULT OnFocusChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Where entries and values fall in a picture of `width` by `height`.
    struct Scale {
        RECT area;  // where the curves go, inside the axes' labels and under the legend
        int X(int entry) const;
        // `fraction` of full scale: 0 at the bottom row and 1 at the top row.
        int Y(double fraction) const;
    };
    Scale ScaleFor(HDC hDC, int width, int height) const;

    // The parts of Draw, each over what the ones before drew.
    void DrawGrid(HDC hDC, const Scale& scale) const;
    void DrawCursor(HDC hDC, const Scale& scale) const;
    void DrawCurves(CMemoryBitmap& bitmap, const Scale& scale) const;
    void DrawComparison(HDC hDC, const Scale& scale) const;
    void DrawLegend(HDC hDC, const Scale& scale, int width) const;
    // One channel's curve in the pen selected: every level, or the effective gamma of entries
    // 1-254 with a gap wherever it is undefined.
    void DrawChannel(HDC hDC, const Scale& scale, const lumatab::GammaRamp& ramp,
                     const lumatab::GammaTable& table, int channel) const;

    // Moves the cursor to the entry under client x-coordinate `x`.
    void MoveToPointer(int x);

    const lumatab::GammaRamp* m_pRamp = nullptr;
    lumatab::GammaTable m_table{};  // the ramp's effective gamma
    const Comparison* m_pComparison = nullptr;
    lumatab::GammaTable m_comparisonTable{};
    CurveView m_view = CurveView::Levels;
    int m_nEntry = lumatab::kRampSize / 2;
    // Where the pointer was at the last move handled, on the screen. The system also reports a
    // pointer that stands still when windows change under it, which must not undo the keys.
    POINT m_ptLastPointer = {0, 0};
};
