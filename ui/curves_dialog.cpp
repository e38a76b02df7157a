#include "ui/curves_dialog.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/calibration.h"
#include "core/number_text.h"
#include "core/printable_text.h"
#include "core/ramp_stats.h"
#include "core/ramp_table.h"
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

CCurvesDlg::CCurvesDlg(const lumatab::GammaRamp& ramp, MonitorProfile monitorProfile, CWnd* pParent,
                       CString& folder, CShell& shell)
    : CDialog(IDD_CURVES_DIALOG, pParent),
      m_ramp(ramp),
      m_monitorProfile(std::move(monitorProfile)),
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
    m_plot.SetRamp(m_ramp);
    CheckRadioButton(m_hWnd, IDC_VIEW_LEVELS, IDC_VIEW_GAMMA, IDC_VIEW_LEVELS);
    m_listStats.InsertColumn(0, "Statistic", LVCFMT_LEFT, 0);
    for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
        m_listStats.InsertColumn(ch + 1, lumatab::kChannelNames[ch], LVCFMT_RIGHT, 0);
    }
    int row = 0;
    for (const lumatab::StatsRow& stats : lumatab::FormatRampStats(m_ramp)) {
        m_listStats.InsertItem(row, stats.label.c_str());
        for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
            m_listStats.SetItemText(row, ch + 1, stats.values[ch].c_str());
        }
        ++row;
    }
    FitStatistics();
    OnEntryChanged();
    CompareWithMonitorProfile();
    return TRUE;
}

void CCurvesDlg::CompareWithMonitorProfile() {
    std::string line;
    switch (m_monitorProfile.status) {
        case MonitorProfile::Status::Found: {
            const lumatab::IccProfile& profile = m_monitorProfile.profile;
            const std::string name = "Monitor profile \"" + profile.description + "\"";
            if (profile.hasCalibration) {
                SetComparison({name, profile.calibration});
                return;
            }
            line = name + ": no calibration (a linear ramp is expected)";
            break;
        }
        case MonitorProfile::Status::NoProfile:
            line = "No profile is associated with this monitor.";
            break;
        case MonitorProfile::Status::Refused:
            line = "The monitor's profile cannot be used: " + m_monitorProfile.fault;
            break;
    }
    m_textVerification.SetWindowText(lumatab::PrintableText(line).c_str());
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

void CCurvesDlg::SetComparison(const CurvesComparison& comparison) {
    m_comparison = comparison;
    m_plot.SetComparison(&*m_comparison);
    ShowVerification();
    OnEntryChanged();
}

void CCurvesDlg::ShowVerification() {
    const std::string verdict =
        lumatab::DescribeVerification(lumatab::VerifyCalibration(m_ramp, m_comparison->ramp));
    // A name too long for the line loses its middle, so that the verdict always shows whole.
    std::string name = m_comparison->name;
    std::string text = name + ": " + verdict;
    while (name.size() > 8 && !TextFits(m_textVerification.m_hWnd, text)) {
        const std::size_t half = (name.size() - 4) / 2;
        name = name.substr(0, half) + "..." + name.substr(name.size() - half + 1);
        text = name + ": " + verdict;
    }
    m_textVerification.SetWindowText(text.c_str());
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
    if (!m_shell.RunFileDialog(request, pathName)) {
        return;
    }
    lumatab::CalibrationSource source;
    std::string error;
    if (!ReadCalibrationFile(pathName, source, error)) {
        m_shell.ShowMessage(this,
                            ("The file cannot be used:\n" + lumatab::PrintableText(error)).c_str(),
                            MB_ICONERROR | MB_OK);
        return;
    }
    std::string name =
        "\"" + std::string(lumatab::BaseName(static_cast<const char*>(pathName))) + "\"";
    if (!source.hasCalibration) {
        name += " (no calibration: a linear ramp)";
    }
    SetComparison({lumatab::PrintableText(name), source.calibration});
}

void CCurvesDlg::OnSavePicture() {
    RECT client;
    m_plot.GetClientRect(&client);
    CPlotBitmap picture(client.right, client.bottom);
    std::string png;
    PngResult result = PngResult::Failed;
    if (picture.IsValid()) {
        m_plot.Draw(picture);
        result = EncodePng(picture, png);
    }
    if (result != PngResult::Encoded) {
        m_shell.ShowMessage(this,
                            result == PngResult::NoImagingComponent
                                ? "The picture cannot be saved: the Windows Imaging Component is "
                                  "not available on this system."
                                : "The picture could not be made.",
                            MB_ICONERROR | MB_OK);
        return;
    }
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
    const std::string text =
        ReadoutText(m_ramp, m_plot.GetEntry(), m_comparison ? &m_comparison->ramp : nullptr);
    m_textReadout.SetWindowText(text.c_str());
}
