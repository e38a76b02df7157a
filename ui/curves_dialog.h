// The curves window: the ramp the main window lists, plotted as levels or as effective gamma,
// with a readout of one entry; its statistics; how far it is from a calibration; and the plot
// saved as a picture.
#pragma once

#include <windows.h>

#include <optional>

#include "core/gamma_ramp.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "platform/monitor_profile.h"
#include "ui/curve_plot.h"
#include "ui/shell.h"

class CCurvesDlg : public CDialog {
public:
    // `folder` is where the file dialogs start, as Export's save dialog does; `ramp` and
    // `shell` must outlive the dialog. `monitorProfile`, the listed monitor's, is the first
    // comparison when it holds a calibration.
    CCurvesDlg(const lumatab::GammaRamp& ramp, MonitorProfile monitorProfile, CWnd* pParent,
               CString& folder, CShell& shell);

    // Compares the ramp with `comparison` from now on: draws it, states the verdict under its
    // name and adds its levels to the readout. Call it once the window exists (OnInitDialog on).
    void SetComparison(const CurvesComparison& comparison);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Fits the statistics to the font in use, checks the Levels view, shows entry 128 and
    // compares the ramp with the monitor's profile.
    BOOL OnInitDialog() override;
    // Compare with file: reads a calibration file or ICC profile, draws it, and says how far the
    // ramp is from it. A file that cannot be used changes nothing.
    void OnCompare();
    // Save picture: the plot as drawn, as a PNG file.
    void OnSavePicture();
    void OnLevelsView();
    void OnGammaView();
    // The readout follows the plot's entry.
    void OnEntryChanged();
    DECLARE_MESSAGE_MAP()

private:
    // Sizes the statistics list to show all its rows, moves what lies below it and fills its
    // width with the columns.
    void FitStatistics();
    // The verdict under the comparison's name, its name shortened if the line cannot hold it.
    void ShowVerification();
    // The monitor profile's calibration as the comparison, or why there is none.
    void CompareWithMonitorProfile();

    const lumatab::GammaRamp& m_ramp;
    const MonitorProfile m_monitorProfile;
    std::optional<CurvesComparison> m_comparison;  // drawn and verified once it exists
    CString& m_strFolder;
    CShell& m_shell;
    CCurvePlot m_plot;
    CListCtrl m_listStats;
    CStatic m_textVerification;
    CStatic m_textReadout;
};
