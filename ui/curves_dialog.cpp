#include "ui/curves_dialog.h"

#include <algorithm>
#include <string>

#include "core/calibration.h"
#include "core/ramp_stats.h"
#include "framework/file.h"
#include "res/resource.h"

namespace {

constexpr COLORREF kGridColour = RGB(96, 96, 96);
constexpr COLORREF kIdentityColour = RGB(150, 150, 150);
// Curves drawn widest first: where the channels are equal, each stays visible as a stripe.
constexpr int kCurveWidths[lumatab::kChannelCount] = {1, 3, 5};

// A pen selected into a device context for a scope; the pen is owned by this object.
class CPenSelection {
public:
    CPenSelection(HDC hDC, int style, int width, COLORREF colour)
        : m_hDC(hDC), m_hPen(CreatePen(style, width, colour)), m_hOld(SelectObject(hDC, m_hPen)) {}
    CPenSelection(const CPenSelection&) = delete;
    CPenSelection& operator=(const CPenSelection&) = delete;
    ~CPenSelection() {
        SelectObject(m_hDC, m_hOld);
        DeleteObject(m_hPen);
    }

private:
    HDC m_hDC;
    HPEN m_hPen;
    HGDIOBJ m_hOld;
};

void DrawLine(HDC hDC, int x0, int y0, int x1, int y1) {
    MoveToEx(hDC, x0, y0, nullptr);
    LineTo(hDC, x1, y1);
}

// A colour halfway to white, for a calibration drawn over its channel's curve.
COLORREF Lighter(COLORREF colour) {
    return RGB((GetRValue(colour) + 255) / 2, (GetGValue(colour) + 255) / 2,
               (GetBValue(colour) + 255) / 2);
}

// Draws a channel's 256 entries as a line in a square of `side` pixels.
void DrawCurve(HDC hDC, const lumatab::GammaRamp& ramp, int channel, int side) {
    POINT points[lumatab::kRampSize];
    for (int i = 0; i < lumatab::kRampSize; ++i) {
        points[i] = {i * side / 255, side - ramp.levels[channel][i] * side / 65535};
    }
    Polyline(hDC, points, lumatab::kRampSize);
}

}  // namespace

BEGIN_MESSAGE_MAP(CCurvePlot, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CCurvePlot::SetCurves(const lumatab::GammaRamp* pRamp,
                           const lumatab::GammaRamp* pCalibration) {
    m_pRamp = pRamp;
    m_pCalibration = pCalibration;
    RedrawWindow();
}

void CCurvePlot::OnPaint() {
    CPaintDC dc(this);
    RECT rect;
    GetClientRect(&rect);
    // The buffer's device context and bitmap are owned here, deleted after the copy.
    const HDC hBuffer = CreateCompatibleDC(dc);
    const HBITMAP hBitmap = CreateCompatibleBitmap(dc, rect.right, rect.bottom);
    const HGDIOBJ hOldBitmap = SelectObject(hBuffer, hBitmap);
    const HBRUSH hBackground = CreateSolidBrush(kDarkBackground);
    FillRect(hBuffer, &rect, hBackground);
    DeleteObject(hBackground);

    const int side = std::min(rect.right, rect.bottom) - 1;
    {
        CPenSelection grid(hBuffer, PS_SOLID, 1, kGridColour);
        for (int quarter = 0; quarter <= 4; ++quarter) {
            const int at = quarter * side / 4;
            DrawLine(hBuffer, at, 0, at, side);
            DrawLine(hBuffer, 0, at, side, at);
        }
    }
    {
        CPenSelection identity(hBuffer, PS_SOLID, 1, kIdentityColour);
        DrawLine(hBuffer, 0, side, side, 0);
    }
    for (int channel = lumatab::kChannelCount - 1; m_pRamp != nullptr && channel >= 0; --channel) {
        CPenSelection pen(hBuffer, PS_SOLID, kCurveWidths[channel], kChannelColours[channel]);
        DrawCurve(hBuffer, *m_pRamp, channel, side);
    }
    for (int channel = 0; m_pCalibration != nullptr && channel < lumatab::kChannelCount;
         ++channel) {
        CPenSelection pen(hBuffer, PS_DASH, 1, Lighter(kChannelColours[channel]));
        DrawCurve(hBuffer, *m_pCalibration, channel, side);
    }

    BitBlt(dc, 0, 0, rect.right, rect.bottom, hBuffer, 0, 0, SRCCOPY);
    SelectObject(hBuffer, hOldBitmap);
    DeleteObject(hBitmap);
    DeleteDC(hBuffer);
}

CCurvesDlg::CCurvesDlg(const lumatab::GammaRamp& ramp, CWnd* pParent, CString& folder,
                       CShell& shell)
    : CDialog(IDD_CURVES_DIALOG, pParent), m_ramp(ramp), m_strFolder(folder), m_shell(shell) {}

BEGIN_MESSAGE_MAP(CCurvesDlg, CDialog)
ON_BN_CLICKED(IDC_COMPARE, &CCurvesDlg::OnCompare)
END_MESSAGE_MAP()

void CCurvesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_CURVE_PLOT, m_plot);
    DDX_Control(pDX, IDC_CURVE_STATS, m_listStats);
    DDX_Control(pDX, IDC_VERIFICATION, m_textVerification);
}

BOOL CCurvesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_plot.SetCurves(&m_ramp, nullptr);
    const char* const kHeadings[] = {"Statistic", "Red", "Green", "Blue"};
    for (int column = 0; column < 4; ++column) {
        m_listStats.InsertColumn(column, kHeadings[column],
                                 column == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT, column == 0 ? 150 : 110);
    }
    int row = 0;
    for (const lumatab::StatsRow& stats : lumatab::FormatRampStats(m_ramp)) {
        m_listStats.InsertItem(row, stats.label.c_str());
        for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
            m_listStats.SetItemText(row, ch + 1, stats.values[ch].c_str());
        }
        ++row;
    }
    return TRUE;
}

void CCurvesDlg::OnCompare() {
    m_shell.StartInDocuments(m_strFolder);
    const CFileDialogRequest request = {TRUE,
                                        "cal",
                                        "",
                                        OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                                        "Calibration curves (*.cal)|*.cal|",
                                        this,
                                        m_strFolder,
                                        "Compare with calibration"};
    CString pathName;
    if (!m_shell.RunFileDialog(request, pathName)) {
        return;
    }
    std::string text;
    if (!ReadWholeFile(pathName, text, lumatab::kMaxCalibrationFileBytes)) {
        throw CFileException(static_cast<LONG>(GetLastError()), pathName);
    }
    std::string error;
    if (!lumatab::ReadCalibration(text, m_calibration, error)) {
        const std::string message = std::string("The calibration file \"") +
                                    static_cast<const char*>(pathName) + "\" cannot be used:\n" +
                                    error;
        m_shell.ShowMessage(this, message.c_str(), MB_ICONERROR | MB_OK);
        return;
    }
    m_plot.SetCurves(&m_ramp, &m_calibration);
    m_textVerification.SetWindowText(
        lumatab::DescribeVerification(lumatab::VerifyCalibration(m_ramp, m_calibration)).c_str());
}
