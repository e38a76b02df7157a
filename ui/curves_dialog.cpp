#include "ui/curves_dialog.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/calibration.h"
#include "core/number_text.h"
#include "core/ramp_stats.h"
#include "core/ramp_table.h"
#include "framework/exceptions.h"
#include "res/resource.h"
#include "ui/export_command.h"
#include "ui/png_picture.h"

namespace {

const CSaveTexts kPictureTexts = {"png",
                                  "GammaCurves.png",
                                  "PNG images (*.png)|*.png|",
                                  "Save the curves as a picture",
                                  "The picture could not be saved, file open error.",
                                  "The picture has been saved.",
                                  true};

// "Entry 128 (50.2 %): red 40000 (3.19), green 32896 (2.20), blue 65535 (---)", each gamma as
// the list shows it, then "; calibration 40100 / 32896 / 65535" when there is one.
std::string ReadoutText(const lumatab::GammaRamp& ramp, int entry,
                        const lumatab::GammaRamp* pCalibration) {
    const lumatab::EntryGamma gamma = lumatab::TableEntryGamma(ramp, entry);
    std::string text = "Entry " + lumatab::FormatWhole(entry) + " (" +
                       lumatab::FormatFixed(entry * 100.0 / 255.0, 1) + " %): ";
    for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
        text += std::string(ch == 0 ? "" : ", ") + lumatab::kChannelNamesLower[ch] + " " +
                lumatab::FormatWhole(ramp.levels[ch][entry]) + " (" +
                lumatab::FormatGammaCell(gamma.of(static_cast<lumatab::Channel>(ch))) + ")";
    }
    for (int ch = 0; pCalibration != nullptr && ch < lumatab::kChannelCount; ++ch) {
        text += (ch == 0 ? "; calibration " : " / ") +
                lumatab::FormatWhole(pCalibration->levels[ch][entry]);
    }
    return text;
}

// The window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND hWnd) {
    RECT rect;
    GetWindowRect(hWnd, &rect);
    MapWindowPoints(nullptr, GetParent(hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Whether the static control `hWnd` shows all of `text`, wrapped at its width in its font (a
// word wider than the control is cut, not wrapped).
bool TextFits(HWND hWnd, const std::string& text) {
    RECT client;
    GetClientRect(hWnd, &client);
    RECT rect = client;
    DrawTextA(CWindowFontDC(hWnd), text.c_str(), -1, &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return rect.right <= client.right && rect.bottom <= client.bottom;
}

}  // namespace

CCurvesDlg::CCurvesDlg(const RampRead& read, std::optional<SYSTEMTIME> listRead,
                       std::function<Comparison()> monitorComparison, CWnd* pParent,
                       CString& folder, CShell& shell)
    : CDialog(IDD_CURVES_DIALOG, pParent),
      m_read(read),
      m_listRead(listRead),
      m_monitorComparison(std::move(monitorComparison)),
      m_strFolder(folder),
      m_shell(shell) {}

BEGIN_MESSAGE_MAP(CCurvesDlg, CDialog)
ON_BN_CLICKED(IDC_COMPARE, &CCurvesDlg::OnCompare)
ON_BN_CLICKED(IDC_SAVE_PICTURE, &CCurvesDlg::OnSavePicture)
ON_BN_CLICKED(IDC_VIEW_LEVELS, &CCurvesDlg::OnLevelsView)
ON_BN_CLICKED(IDC_VIEW_GAMMA, &CCurvesDlg::OnGammaView)
ON_CONTROL(kPlotEntryChanged, IDC_CURVE_PLOT, &CCurvesDlg::OnEntryChanged)
END_MESSAGE_MAP()

void CCurvesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_CURVE_PLOT, m_plot);
    DDX_Control(pDX, IDC_CURVE_STATS, m_listStats);
    DDX_Control(pDX, IDC_VERIFICATION, m_textVerification);
    DDX_Control(pDX, IDC_CURVE_READOUT, m_textReadout);
}

BOOL CCurvesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_plot.SetRamp(m_read.ramp);
    CheckRadioButton(m_hWnd, IDC_VIEW_LEVELS, IDC_VIEW_GAMMA, IDC_VIEW_LEVELS);
    FillStatistics();
    FitStatistics();
    OnEntryChanged();
    SetDlgItemTextA(m_hWnd, IDC_READ_TIME, ("Read at " + ClockText(m_read.time)).c_str());
    if (m_listRead) {
        SetDlgItemTextA(m_hWnd, IDC_RAMP_CHANGED,
                        ("The ramp changed since the list was read at " + ClockText(*m_listRead) +
                         "; the list now shows it too.")
                            .c_str());
    }
    try {
        SetComparison(m_monitorComparison());
    } catch (const CFailure& failure) {
        ShowVerification(static_cast<const char*>(failure.GetErrorMessage()), "");
        SetDlgItemTextA(m_hWnd, IDC_RAMP_IDENTITY, RampIdentityLine(m_read.ramp, nullptr).c_str());
    }
    return TRUE;
}

void CCurvesDlg::FillStatistics() {
    m_listStats.InsertColumn(0, "Statistic", LVCFMT_LEFT, 0);
    for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
        m_listStats.InsertColumn(ch + 1, lumatab::kChannelNames[ch], LVCFMT_RIGHT, 0);
    }
    int row = 0;
    for (const lumatab::StatsRow& stats : lumatab::FormatRampStats(m_read.ramp)) {
        m_listStats.InsertItem(row, stats.label.c_str());
        for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
            m_listStats.SetItemText(row, ch + 1, stats.values[ch].c_str());
        }
        ++row;
    }
}

void CCurvesDlg::FitStatistics() {
    const HWND hList = m_listStats.m_hWnd;
    const int rows = static_cast<int>(m_listStats.SendMessage(LVM_GETITEMCOUNT));
    RECT item = {LVIR_BOUNDS, 0, 0, 0};
    m_listStats.SendMessage(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const RECT header = ChildRect(reinterpret_cast<HWND>(m_listStats.SendMessage(LVM_GETHEADER)));
    RECT list = ChildRect(hList);
    RECT client;
    m_listStats.GetClientRect(&client);
    const int frame = (list.bottom - list.top) - client.bottom;
    const int height = frame + (header.bottom - header.top) + rows * (item.bottom - item.top);

    // What lies below the plot and the list moves with the list's bottom, and the window with it.
    const LONG plotBottom = ChildRect(m_plot.m_hWnd).bottom;
    const LONG band = std::max(plotBottom, list.bottom);
    const LONG shift = std::max(plotBottom, list.top + height) - band;
    SetWindowPos(hList, nullptr, 0, 0, list.right - list.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND hChild = GetWindow(m_hWnd, GW_CHILD); shift != 0 && hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        const RECT rect = ChildRect(hChild);
        if (rect.top >= band) {
            SetWindowPos(hChild, nullptr, rect.left, rect.top + shift, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    RECT window;
    GetWindowRect(m_hWnd, &window);
    SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left,
                 window.bottom - window.top + shift, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // The heading column as wide as its longest text; the channels share the rest exactly.
    m_listStats.SendMessage(LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    m_listStats.GetClientRect(&client);
    const int first = static_cast<int>(m_listStats.SendMessage(LVM_GETCOLUMNWIDTH, 0));
    const int rest = client.right - first;
    for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
        const int width =
            rest * (ch + 1) / lumatab::kChannelCount - rest * ch / lumatab::kChannelCount;
        m_listStats.SendMessage(LVM_SETCOLUMNWIDTH, ch + 1, width);
    }
}

void CCurvesDlg::SetComparison(const Comparison& comparison) {
    m_comparison = comparison;
    m_plot.SetComparison(&*m_comparison);
    ShowVerification(comparison.name,
                     ": " + VerdictText(comparison, lumatab::VerifyCalibration(
                                                        m_read.ramp, comparison.calibration)));
    SetDlgItemTextA(m_hWnd, IDC_RAMP_IDENTITY, RampIdentityLine(m_read.ramp, &comparison).c_str());
    OnEntryChanged();
}

void CCurvesDlg::ShowVerification(std::string head, const std::string& tail) {
    while (head.size() > 8 && !TextFits(m_textVerification.m_hWnd, head + tail)) {
        const std::size_t half = (head.size() - 4) / 2;
        head = head.substr(0, half) + "..." + head.substr(head.size() - half + 1);
    }
    m_textVerification.SetWindowText((head + tail).c_str());
}

void CCurvesDlg::OnCompare() {
    m_shell.StartInDocuments(m_strFolder);
    const CFileDialogRequest request = {TRUE,
                                        "cal",
                                        "",
                                        OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                                        "Calibration files (*.cal;*.icc;*.icm)|*.cal;*.icc;*.icm|",
                                        this,
                                        m_strFolder,
                                        "Compare with calibration"};
    CString pathName;
    if (m_shell.RunFileDialog(request, pathName)) {
        SetComparison(CompareWithFile(static_cast<const char*>(pathName)));
    }
}

void CCurvesDlg::OnSavePicture() {
    RECT client;
    m_plot.GetClientRect(&client);
    CMemoryBitmap picture(client.right, client.bottom);
    if (!picture.IsValid()) {
        throw CFailure("the picture could not be made");
    }
    m_plot.Draw(picture);
    const std::string png = EncodePng(picture);
    SaveThroughDialog(this, m_strFolder, kPictureTexts, m_shell,
                      [&](lumatab::ByteSink& sink) { sink.Write(png.data(), png.size()); });
}

void CCurvesDlg::OnLevelsView() {
    m_plot.SetView(CurveView::Levels);
}

void CCurvesDlg::OnGammaView() {
    m_plot.SetView(CurveView::EffectiveGamma);
}

void CCurvesDlg::OnEntryChanged() {
    const std::string text = ReadoutText(m_read.ramp, m_plot.GetEntry(),
                                         m_comparison ? &m_comparison->calibration : nullptr);
    m_textReadout.SetWindowText(text.c_str());
}
