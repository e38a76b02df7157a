#include "ui/label.h"

namespace {

// What SetLabelTextColor and SetLabelFontHeight redraw with: 0x105.
constexpr UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

}  // namespace

BEGIN_MESSAGE_MAP(CLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CLabel::CLabel()
    : m_crText(GetSysColor(COLOR_WINDOWTEXT)),
      m_bkBrush(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))),
      m_logFont() {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(m_logFont), &m_logFont);
    m_font.CreateFontIndirect(&m_logFont);
}

CLabel& CLabel::SetLabelTextColor(COLORREF crText) {
    m_crText = crText;
    RedrawWindow(nullptr, nullptr, kRedrawNow);
    return *this;
}

CLabel& CLabel::SetLabelBkColor(COLORREF crBkgnd) {
    // The old brush goes only once the new one exists, so the label never paints with a deleted
    // brush.
    m_bkBrush.Replace(CreateSolidBrush(crBkgnd));
    return *this;
}

CLabel& CLabel::SetLabelFontHeight(int nHeight) {
    m_logFont.lfHeight = -nHeight;
    // Replaces the old font only once the new one exists (the control may be drawing with it).
    m_font.CreateFontIndirect(&m_logFont);
    // The static control selects its own font after asking for colours, so it gets this one too.
    if (m_hWnd != nullptr) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_font)), FALSE);
    }
    RedrawWindow(nullptr, nullptr, kRedrawNow);
    return *this;
}

HBRUSH CLabel::CtlColor(CDC* pDC, UINT nCtlColor) {
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SelectObject(m_font);
        pDC->SetTextColor(m_crText);
        pDC->SetBkMode(TRANSPARENT);
    }
    return m_bkBrush;
}
