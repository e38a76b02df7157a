// The curves window: the ramp the main window lists, plotted; its statistics; and how far it is
// from a calibration file.
#pragma once

#include <windows.h>

#include "core/gamma_ramp.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "ui/shell.h"

// The colours of the red, green and blue figures and curves, and the labels' background.
constexpr COLORREF kChannelColours[lumatab::kChannelCount] = {RGB(250, 20, 20), RGB(20, 245, 90),
                                                              RGB(36, 160, 255)};
constexpr COLORREF kDarkBackground = RGB(56, 56, 56);

// A static control that plots a ramp: input entry 0-255 across, output 0-65535 up, in a square
// at its top left.
class CCurvePlot : public CStatic {
public:
    // The curves to draw: a ramp, and a calibration drawn dashed over it (null: none). Neither
    // is owned; both must outlive the window's paints.
    void SetCurves(const lumatab::GammaRamp* pRamp, const lumatab::GammaRamp* pCalibration);

protected:
    // Draws the whole plot into a buffer, then copies it to the screen at once, so it never
    // flickers.
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    const lumatab::GammaRamp* m_pRamp = nullptr;
    const lumatab::GammaRamp* m_pCalibration = nullptr;
};

class CCurvesDlg : public CDialog {
public:
    // `folder` is where the open dialog starts, as Export's save dialog does; `ramp` and
    // `shell` must outlive the dialog.
    CCurvesDlg(const lumatab::GammaRamp& ramp, CWnd* pParent, CString& folder, CShell& shell);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Compare with .cal: reads a calibration file, draws it, and says how far the ramp is from it.
    void OnCompare();
    DECLARE_MESSAGE_MAP()

private:
    const lumatab::GammaRamp& m_ramp;
    lumatab::GammaRamp m_calibration{};  // the last calibration read, drawn once it exists
    CString& m_strFolder;
    CShell& m_shell;
    CCurvePlot m_plot;
    CListCtrl m_listStats;
    CStatic m_textVerification;
};
