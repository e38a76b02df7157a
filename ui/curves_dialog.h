// The curves window: a ramp as read when the window opened, plotted as levels or as effective
// gamma, with a readout of one entry; its statistics; how far it is from a calibration; and the
// plot saved as a picture.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "diagnosis/comparison.h"
#include "diagnosis/monitor.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "ui/curve_plot.h"
#include "ui/shell.h"

class CCurvesDlg : public CDialog {
public:
    // `read` is the ramp the window shows; `listRead`, when given, is when the main window's list
    // was read before, if it showed another ramp then. `monitorComparison` gives the monitor
    // profile's comparison, the first one, or throws CFailure saying why there is none. `folder`
    // is where the file dialogs start, as Export's save dialog does; it and `shell` must outlive
    // the dialog.
    CCurvesDlg(const RampRead& read, std::optional<SYSTEMTIME> listRead,
               std::function<Comparison()> monitorComparison, CWnd* pParent, CString& folder,
               CShell& shell);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Fits the statistics to the font in use, checks the Levels view, shows entry 128, says when
    // the ramp was read and compares it with the monitor's profile.
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
    // Shows the statistics of the ramp in their list.
    void FillStatistics();
    // Sizes the statistics list to show all its rows, moves what lies below it and fills its
    // width with the columns.
    void FitStatistics();
    // Compares the ramp with `comparison` from now on: draws it, states the verdict under its
    // name and adds its levels to the readout.
    void SetComparison(const Comparison& comparison);
    // `head` then `tail` on the verification line, the middle of `head` given up for "..." where
    // the line cannot hold them.
    void ShowVerification(std::string head, const std::string& tail);

    const RampRead m_read;
    const std::optional<SYSTEMTIME> m_listRead;
    const std::function<Comparison()> m_monitorComparison;
    std::optional<Comparison> m_comparison;  // drawn and verified once it exists
    CString& m_strFolder;
    CShell& m_shell;
    CCurvePlot m_plot;
    CListCtrl m_listStats;
    CStatic m_textVerification;
    CStatic m_textReadout;
};
