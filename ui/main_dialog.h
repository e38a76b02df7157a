// The main dialog: the monitor chooser, the ramp list, the three entry-128 labels, Export and
// Exit. It owns all of the program's run-time state.
#pragma once

#include <windows.h>

#include "core/gamma_ramp.h"
#include "diagnosis/monitor.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/exceptions.h"
#include "framework/string.h"
#include "ui/export_command.h"
#include "ui/shell.h"
#include "ui/label.h"

class CLumatabDlg : public CDialog {
public:
    // `platform` and `shell` are what the dialog works on: the real ones unless a test stands in
    // fakes. Both must outlive the dialog.
    explicit CLumatabDlg(CWnd* pParent = nullptr, CPlatform& platform = Win32Platform(),
                         CShell& shell = Win32Shell());
    ~CLumatabDlg() override = default;

    // Ctrl+C and F5, unless the monitor box's text has the keyboard.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // Draws the icon when the dialog is minimised.
    void OnPaint();
    // The icon as the cursor to drag when the minimised dialog is dragged.
    HCURSOR OnQueryDragIcon();
    // Another monitor chosen (or the same one again): reads and shows its ramp.
    void OnSelchangeMonitorCombo();
    // The Export button: writes the listed ramp and gamma table to a CSV file.
    void ExportRampCommand();
    // The list's context menu (right click, Shift+F10 or the menu key).
    void OnContextMenu(CWnd* pWnd, POINT point);
    // Show curves...: the curves window for the selected monitor's ramp, read now; the list
    // follows where it changed.
    void OnShowCurves();
    // Copy table (Ctrl+C): the listed table on the clipboard as text.
    void OnCopyTable();
    // Read again (F5): reads the selected monitor's ramp again, as a selection does.
    void OnReadAgain();
    // Save as .cal...: writes the listed ramp as a calibration file.
    void OnSaveCalibration();

    DECLARE_MESSAGE_MAP()

private:
    // Reads the selected monitor's ramp and rebuilds the list and the labels from it.
    void RefreshRamp();
    // The selected monitor's ramp now. A failure clears the list and the labels, then is thrown.
    RampRead ReadSelectedRamp();
    // Rebuilds the list and the labels from `read`.
    void ShowRead(const RampRead& read);
    // Makes `index` the monitor in use; an index outside the lists throws
    // CInvalidArgException and changes nothing.
    void SelectMonitor(int index);
    // Selects monitor `index`, reads its ramp and shows it: what every choice of a monitor does.
    void ShowMonitor(int index);
    // Throws why, when no ramp of the selected monitor has been read.
    void RequireRampRead() const;
    // The monitor in use, as the lists hold it.
    Monitor SelectedMonitor() const;

    CListCtrl m_listRamp;
    HICON m_hAppIcon;  // shared icon from the executable's resources; never destroyed
    HACCEL m_hAccel;   // shared table from the executable's resources; never destroyed
    int m_nSelectedMonitor = 0;
    CString m_strModuleFolder;  // the executable's folder; after an export, the documents folder
    CString m_strDeviceName;
    CStringArray m_arrMonitorNames;
    CStringArray m_arrDeviceNames;
    CLabel m_labelRed;
    CLabel m_labelGreen;
    CLabel m_labelBlue;
    // Zero until the first read, so nothing undefined is ever held.
    lumatab::GammaRamp m_ramp{};
    lumatab::GammaTable m_gammaTable{};
    SYSTEMTIME m_tmRampRead{};  // when m_ramp was read
    // The last read succeeded: the list, the labels and Export show the selected monitor's ramp.
    bool m_bRampRead = false;
    CFailure m_readFailure{"there is no monitor to read a gamma ramp from"};  // why not, if not
    CComboBox m_comboMonitor;

    CPlatform& m_platform;
    CShell& m_shell;
};
