// A static text control drawn in a chosen text colour, font height and background colour.
#pragma once

#include <windows.h>

#include "core/gamma_ramp.h"
#include "framework/controls.h"
#include "framework/handles.h"

// The colours of the red, green and blue figures, which the curves take too, and the figures'
// background.
constexpr COLORREF kChannelColours[lumatab::kChannelCount] = {RGB(250, 20, 20), RGB(20, 245, 90),
                                                              RGB(36, 160, 255)};
constexpr COLORREF kDarkBackground = RGB(56, 56, 56);

class CLabel : public CStatic {
public:
    // Makes the brush and the font at once, so they exist before the window is attached.
    CLabel();

    // Stores the text colour and redraws the window at once.
    CLabel& SetLabelTextColor(COLORREF crText);
    // Replaces the background brush; the new colour shows at the next repaint.
    CLabel& SetLabelBkColor(COLORREF crBkgnd);
    // Replaces the font with one whose character height is `nHeight` and redraws at once.
    CLabel& SetLabelFontHeight(int nHeight);

protected:
    // The parent's WM_CTLCOLOR*, reflected: the static text's colours, font and background.
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crText;
    CBrush m_bkBrush;
    LOGFONTA m_logFont;
    CFont m_font;
};
