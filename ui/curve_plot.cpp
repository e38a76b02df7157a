#include "ui/curve_plot.h"

#include <algorithm>
#include <string>
#include <vector>

#include "ui/label.h"

namespace {

using lumatab::kChannelCount;
using lumatab::kRampSize;

constexpr COLORREF kGridColour = RGB(88, 88, 88);
constexpr COLORREF kTextColour = RGB(210, 210, 210);
constexpr COLORREF kCursorColour = RGB(170, 170, 170);
// The effective gamma view's scale: 0 to this, one tick per unit.
constexpr int kGammaScaleTop = 4;
const char* const kLevelTicks[] = {"0 %", "25 %", "50 %", "75 %", "100 %"};
const char* const kGammaTicks[] = {"0", "1", "2", "3", "4"};
const int kEntryTicks[] = {0, 64, 128, 192, 255};

void DrawLine(HDC hDC, int x0, int y0, int x1, int y1) {
    MoveToEx(hDC, x0, y0, nullptr);
    LineTo(hDC, x1, y1);
}

void FillSolid(HDC hDC, const RECT& rect, COLORREF colour) {
    SetBkColor(hDC, colour);
    ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// A colour halfway to white, for a comparison drawn over its channel's curve.
COLORREF Lighter(COLORREF colour) {
    return RGB((GetRValue(colour) + 255) / 2, (GetGValue(colour) + 255) / 2,
               (GetBValue(colour) + 255) / 2);
}

SIZE TextSize(HDC hDC, const char* text) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(hDC, text, static_cast<int>(std::char_traits<char>::length(text)), &size);
    return size;
}

// Copies the pixels of `layer` that are not black over `bitmap`, of the same size.
void LayOver(const CMemoryBitmap& layer, CMemoryBitmap& bitmap) {
    GdiFlush();
    for (int y = 0; y < bitmap.Height(); ++y) {
        const BYTE* from = layer.Bits() + y * layer.Stride();
        BYTE* to = bitmap.Bits() + y * bitmap.Stride();
        for (int x = 0; x < bitmap.Width() * 3; x += 3) {
            if ((from[x] | from[x + 1] | from[x + 2]) != 0) {
                std::copy(from + x, from + x + 3, to + x);
            }
        }
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CCurvePlot, CStatic)
ON_WM_PAINT()
ON_MESSAGE(WM_GETDLGCODE, &CCurvePlot::OnGetDlgCode)
ON_MESSAGE(WM_KEYDOWN, &CCurvePlot::OnKeyDown)
ON_MESSAGE(WM_MOUSEMOVE, &CCurvePlot::OnMouseMove)
ON_MESSAGE(WM_LBUTTONDOWN, &CCurvePlot::OnLButtonDown)
ON_MESSAGE(WM_SETFOCUS, &CCurvePlot::OnFocusChange)
ON_MESSAGE(WM_KILLFOCUS, &CCurvePlot::OnFocusChange)
END_MESSAGE_MAP()

void CCurvePlot::SetRamp(const lumatab::GammaRamp& ramp) {
    m_pRamp = &ramp;
    GetCursorPos(&m_ptLastPointer);
    lumatab::BuildGammaTable(ramp, m_table);
    RedrawWindow();
}

void CCurvePlot::SetComparison(const Comparison* pComparison) {
    m_pComparison = pComparison;
    if (pComparison != nullptr) {
        lumatab::BuildGammaTable(pComparison->calibration, m_comparisonTable);
    }
    RedrawWindow();
}

void CCurvePlot::SetView(CurveView view) {
    m_view = view;
    RedrawWindow();
}

void CCurvePlot::SetEntry(int entry) {
    entry = std::clamp(entry, 0, kRampSize - 1);
    if (entry == m_nEntry) {
        return;
    }
    m_nEntry = entry;
    RedrawWindow();
    ::SendMessageA(GetParent(m_hWnd), WM_COMMAND,
                   MAKEWPARAM(GetDlgCtrlID(m_hWnd), kPlotEntryChanged),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

int CCurvePlot::Scale::X(int entry) const {
    return area.left + entry * (area.right - area.left - 1) / 255;
}

int CCurvePlot::Scale::Y(double fraction) const {
    return area.bottom - 1 - static_cast<int>(fraction * (area.bottom - area.top - 1) + 0.5);
}

CCurvePlot::Scale CCurvePlot::ScaleFor(HDC hDC, int width, int height) const {
    const SIZE label = TextSize(hDC, "100 %");
    const SIZE lastEntry = TextSize(hDC, "255");
    // The legend's row above; the entry labels below; the output labels on the left; half the
    // last entry label on the right.
    return {{label.cx + 8, label.cy + 8, width - lastEntry.cx / 2 - 4, height - label.cy - 6}};
}

void CCurvePlot::Draw(CMemoryBitmap& bitmap) const {
    FillSolid(bitmap, RECT{0, 0, bitmap.Width(), bitmap.Height()}, kDarkBackground);
    // The font belongs to the dialog; it is only borrowed for these texts.
    const HGDIOBJ hOldFont = SelectObject(bitmap, AfxWindowFont(m_hWnd));
    SetBkMode(bitmap, TRANSPARENT);
    const Scale scale = ScaleFor(bitmap, bitmap.Width(), bitmap.Height());
    DrawGrid(bitmap, scale);
    DrawCursor(bitmap, scale);
    DrawCurves(bitmap, scale);
    DrawComparison(bitmap, scale);
    DrawLegend(bitmap, scale, bitmap.Width());
    SelectObject(bitmap, hOldFont);
    GdiFlush();
}

// The grid at the ticks, labelled outside the area.
void CCurvePlot::DrawGrid(HDC hDC, const Scale& scale) const {
    const RECT& area = scale.area;
    const int textHeight = TextSize(hDC, "0").cy;
    const CPenSelection grid(hDC, PS_SOLID, 1, kGridColour);
    SetTextColor(hDC, kTextColour);
    const char* const* outputTicks = m_view == CurveView::Levels ? kLevelTicks : kGammaTicks;
    for (int tick = 0; tick < 5; ++tick) {
        const int x = scale.X(kEntryTicks[tick]);
        DrawLine(hDC, x, area.top, x, area.bottom);
        RECT below = {x - 30, area.bottom + 3, x + 30, area.bottom + 3 + textHeight};
        DrawTextA(hDC, std::to_string(kEntryTicks[tick]).c_str(), -1, &below,
                  DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
        const int y = scale.Y(tick / 4.0);
        DrawLine(hDC, area.left, y, area.right, y);
        RECT left = {0, y - textHeight / 2, area.left - 4, y + textHeight};
        DrawTextA(hDC, outputTicks[tick], -1, &left, DT_RIGHT | DT_SINGLELINE | DT_NOCLIP);
    }
}

void CCurvePlot::DrawCursor(HDC hDC, const Scale& scale) const {
    const CPenSelection cursor(hDC, PS_DOT, 1, kCursorColour);
    SetBkColor(hDC, kDarkBackground);
    DrawLine(hDC, scale.X(m_nEntry), scale.area.top, scale.X(m_nEntry), scale.area.bottom);
}

// The curves are drawn alone on black, mixed where they meet (red and green make yellow, all
// three near-white), then laid over the grid.
void CCurvePlot::DrawCurves(CMemoryBitmap& bitmap, const Scale& scale) const {
    CMemoryBitmap layer(bitmap.Width(), bitmap.Height());
    if (m_pRamp == nullptr || !layer.IsValid()) {
        return;
    }
    FillSolid(layer, RECT{0, 0, layer.Width(), layer.Height()}, RGB(0, 0, 0));
    SetROP2(layer, R2_MERGEPEN);
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const CPenSelection pen(layer, PS_SOLID, 2, kChannelColours[channel]);
        DrawChannel(layer, scale, *m_pRamp, m_table, channel);
    }
    LayOver(layer, bitmap);
}

void CCurvePlot::DrawComparison(HDC hDC, const Scale& scale) const {
    for (int channel = 0; m_pComparison != nullptr && channel < kChannelCount; ++channel) {
        const CPenSelection pen(hDC, PS_DASH, 1, Lighter(kChannelColours[channel]));
        DrawChannel(hDC, scale, m_pComparison->calibration, m_comparisonTable, channel);
    }
}

// Each channel's name in its colour after a stroke of its line, then the comparison's name after
// a dashed stroke.
void CCurvePlot::DrawLegend(HDC hDC, const Scale& scale, int width) const {
    const int textHeight = TextSize(hDC, "0").cy;
    const int middle = 3 + textHeight / 2;
    int x = scale.area.left;
    for (int channel = 0; channel <= kChannelCount; ++channel) {
        const bool comparison = channel == kChannelCount;
        if (comparison && m_pComparison == nullptr) {
            break;
        }
        const COLORREF colour = comparison ? kTextColour : kChannelColours[channel];
        {
            const CPenSelection pen(hDC, comparison ? PS_DASH : PS_SOLID, comparison ? 1 : 2,
                                    colour);
            DrawLine(hDC, x, middle, x + textHeight, middle);
        }
        x += textHeight + 4;
        const char* name =
            comparison ? m_pComparison->name.c_str() : lumatab::kChannelNames[channel];
        RECT text = {x, 3, width - 4, 3 + textHeight};
        SetTextColor(hDC, colour);
        DrawTextA(hDC, name, -1, &text, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        x += TextSize(hDC, name).cx + textHeight;
    }
}

void CCurvePlot::DrawChannel(HDC hDC, const Scale& scale, const lumatab::GammaRamp& ramp,
                             const lumatab::GammaTable& table, int channel) const {
    std::vector<POINT> run;
    const auto flush = [&] {
        if (run.size() == 1) {
            run.push_back({run[0].x + 1, run[0].y});  // a lone entry still shows as a dot
        }
        if (!run.empty()) {
            Polyline(hDC, run.data(), static_cast<int>(run.size()));
        }
        run.clear();
    };
    for (int i = 0; i < kRampSize; ++i) {
        if (m_view == CurveView::Levels) {
            run.push_back({scale.X(i), scale.Y(ramp.levels[channel][i] /
                                               static_cast<double>(lumatab::kFullScale))});
            continue;
        }
        // Values over the scale are held at its top.
        const double gamma = table.values[channel][i];
        if (i == 0 || i == kRampSize - 1 || gamma <= 0.0) {
            flush();
            continue;
        }
        run.push_back(
            {scale.X(i), scale.Y(std::min(gamma, 1.0 * kGammaScaleTop) / kGammaScaleTop)});
    }
    flush();
}

void CCurvePlot::OnPaint() {
    CPaintDC dc(this);
    RECT client;
    GetClientRect(&client);
    // Drawn whole into a buffer, then copied to the screen at once, so it never flickers.
    CMemoryBitmap buffer(client.right, client.bottom);
    if (!buffer.IsValid()) {
        return;
    }
    Draw(buffer);
    if (GetFocus() == m_hWnd) {
        RECT focus = {1, 1, client.right - 1, client.bottom - 1};
        DrawFocusRect(buffer, &focus);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
}

LRESULT CCurvePlot::OnGetDlgCode(WPARAM, LPARAM) {
    return DLGC_WANTARROWS;
}

LRESULT CCurvePlot::OnKeyDown(WPARAM wParam, LPARAM) {
    switch (wParam) {
        case VK_LEFT:
        case VK_UP:
            SetEntry(m_nEntry - 1);
            break;
        case VK_RIGHT:
        case VK_DOWN:
            SetEntry(m_nEntry + 1);
            break;
        case VK_PRIOR:
            SetEntry(m_nEntry - 16);
            break;
        case VK_NEXT:
            SetEntry(m_nEntry + 16);
            break;
        case VK_HOME:
            SetEntry(0);
            break;
        case VK_END:
            SetEntry(kRampSize - 1);
            break;
        default:
            return Default();
    }
    return 0;
}

LRESULT CCurvePlot::OnMouseMove(WPARAM, LPARAM lParam) {
    POINT pointer = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(m_hWnd, &pointer);
    if (pointer.x != m_ptLastPointer.x || pointer.y != m_ptLastPointer.y) {
        m_ptLastPointer = pointer;
        MoveToPointer(static_cast<short>(LOWORD(lParam)));
    }
    return 0;
}

LRESULT CCurvePlot::OnLButtonDown(WPARAM, LPARAM lParam) {
    SetFocus(m_hWnd);
    MoveToPointer(static_cast<short>(LOWORD(lParam)));
    return 0;
}

void CCurvePlot::MoveToPointer(int x) {
    RECT client;
    GetClientRect(&client);
    // The area as the last paint laid it out, in the window's font.
    const RECT area = ScaleFor(CWindowFontDC(m_hWnd), client.right, client.bottom).area;
    const int span = area.right - area.left - 1;
    if (span > 0) {
        SetEntry(((x - area.left) * 255 + span / 2) / span);
    }
}

LRESULT CCurvePlot::OnFocusChange(WPARAM, LPARAM) {
    RedrawWindow();
    return Default();
}
