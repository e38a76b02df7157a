// A static text control drawn in a chosen text colour, font height and background colour.
#pragma once

#include <windows.h>

#include "framework/controls.h"
#include "framework/gdi.h"

class CLabel : public CStatic {
public:
    // Makes the brush and the font at once, so they exist before the window is attached.
    CLabel();
    ~CLabel() override;

    // Stores the text colour and redraws the window at once.
    CLabel& SetLabelTextColor(COLORREF crText);
    // Replaces the background brush; the new colour shows at the next repaint.
    CLabel& SetLabelBkColor(COLORREF crBkgnd);
    // Replaces the font with one whose character height is `nHeight` and redraws at once.
    CLabel& SetLabelFontHeight(int nHeight);

protected:
    // The parent's WM_CTLCOLOR*, reflected: the static text's colours, font and background.
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    // Takes `hBrush` as the background brush; a null one (GDI could not make it) changes nothing.
    void ReplaceBrush(HBRUSH hBrush);

    DECLARE_MESSAGE_MAP()

    COLORREF m_crText;
    HBRUSH m_hBkBrush;  // owned by the label
    LOGFONTA m_logFont;
    CFont m_font;  // owned by the label
};
