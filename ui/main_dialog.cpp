#include "ui/main_dialog.h"

#include <cstring>
#include <string>

#include "core/ramp_table.h"
#include "framework/app.h"
#include "framework/exceptions.h"
#include "res/resource.h"
#include "ui/curves_dialog.h"

namespace {

constexpr int kLabelFontHeight = 18;

// Hands the refresh's rows to the list and its summaries to the three labels.
class ControlRampSink : public lumatab::RampTableSink {
public:
    ControlRampSink(CListCtrl& list, CLabel& red, CLabel& green, CLabel& blue)
        : m_list(list), m_labels{&red, &green, &blue} {}

    void DeleteAllRows() override { m_list.DeleteAllItems(); }
    void InsertRow(int row, const char* text) override { m_list.InsertItem(row, text); }
    void SetCell(int row, int column, const char* text) override {
        m_list.SetItemText(row, column, text);
    }
    void SetSummary(lumatab::Channel channel, const char* text) override {
        m_labels[static_cast<int>(channel)]->SetWindowText(text);
    }

private:
    CListCtrl& m_list;
    CLabel* m_labels[lumatab::kChannelCount];
};

// Suspends a window's redrawing for a scope, then repaints it whole, once: a list filled row by
// row while it redraws takes about a second under Wine.
class CRedrawSuspended {
public:
    explicit CRedrawSuspended(CWnd& wnd) : m_wnd(wnd) { m_wnd.SetRedraw(FALSE); }
    CRedrawSuspended(const CRedrawSuspended&) = delete;
    CRedrawSuspended& operator=(const CRedrawSuspended&) = delete;
    ~CRedrawSuspended() {
        m_wnd.SetRedraw(TRUE);
        m_wnd.RedrawWindow(
            nullptr, nullptr,
            RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

private:
    CWnd& m_wnd;
};

// A menu from the executable's resources, owned by this object and destroyed with it.
class CResourceMenu {
public:
    explicit CResourceMenu(UINT nID)
        : m_hMenu(LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID))) {}
    CResourceMenu(const CResourceMenu&) = delete;
    CResourceMenu& operator=(const CResourceMenu&) = delete;
    ~CResourceMenu() { DestroyMenu(m_hMenu); }
    // The drop-down at `position`; null if there is none.
    HMENU SubMenu(int position) const { return GetSubMenu(m_hMenu, position); }

private:
    HMENU m_hMenu;
};

constexpr char kUnreadRamp[] = "The gamma ramp of the selected monitor could not be read.";

// Puts `text` on the clipboard as CF_TEXT; FALSE if the clipboard does not take it.
BOOL SetClipboardText(HWND hOwner, const std::string& text) {
    if (!OpenClipboard(hOwner)) {
        return FALSE;
    }
    // Owned here until the clipboard takes it.
    const HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    void* pText = hText != nullptr ? GlobalLock(hText) : nullptr;
    BOOL taken = FALSE;
    if (pText != nullptr) {
        std::memcpy(pText, text.c_str(), text.size() + 1);
        GlobalUnlock(hText);
        taken = EmptyClipboard() && SetClipboardData(CF_TEXT, hText) != nullptr;
    }
    if (!taken && hText != nullptr) {
        GlobalFree(hText);
    }
    CloseClipboard();
    return taken;
}

// The folder part of a full path, without its trailing backslash.
CString FolderOf(const CString& path) {
    return path.Left(path.ReverseFind('\\'));
}

}  // namespace

CLumatabDlg::CLumatabDlg(CWnd* pParent, CDisplayApi& display, CShell& shell)
    : CDialog(IDD_LUMATAB_DIALOG, pParent),
      m_hAppIcon(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_APP_ICON))),
      m_hAccel(LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_ACCELERATORS))),
      m_display(display),
      m_shell(shell) {}

BEGIN_MESSAGE_MAP(CLumatabDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_CBN_SELCHANGE(IDC_MONITOR_COMBO, &CLumatabDlg::OnSelchangeMonitorCombo)
ON_BN_CLICKED(IDC_EXPORT, &CLumatabDlg::ExportRampCommand)
ON_WM_CONTEXTMENU()
ON_COMMAND(ID_SHOW_CURVES, &CLumatabDlg::OnShowCurves)
ON_COMMAND(ID_COPY_TABLE, &CLumatabDlg::OnCopyTable)
ON_COMMAND(ID_READ_AGAIN, &CLumatabDlg::OnReadAgain)
ON_COMMAND(ID_SAVE_CALIBRATION, &CLumatabDlg::OnSaveCalibration)
END_MESSAGE_MAP()

void CLumatabDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RAMP_LIST, m_listRamp);
    DDX_Control(pDX, IDC_MONITOR_COMBO, m_comboMonitor);
    DDX_Control(pDX, IDC_GAMMA_RED, m_labelRed);
    DDX_Control(pDX, IDC_GAMMA_GREEN, m_labelGreen);
    DDX_Control(pDX, IDC_GAMMA_BLUE, m_labelBlue);
}

BOOL CLumatabDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    SetIcon(m_hAppIcon, TRUE);
    SetIcon(m_hAppIcon, FALSE);

    char modulePath[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    m_strModuleFolder = FolderOf(CString(modulePath, static_cast<int>(length)));

    CLabel* const labels[lumatab::kChannelCount] = {&m_labelRed, &m_labelGreen, &m_labelBlue};
    for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
        labels[ch]
            ->SetLabelFontHeight(kLabelFontHeight)
            .SetLabelTextColor(kChannelColours[ch])
            .SetLabelBkColor(kDarkBackground);
    }

    EnumerateMonitors(m_arrMonitorNames, m_arrDeviceNames, m_display);
    // Explicit positions keep combo position k equal to list index k despite CBS_SORT.
    for (int k = 0; k < m_arrMonitorNames.GetSize(); ++k) {
        m_comboMonitor.InsertString(k, m_arrMonitorNames[k]);
    }
    m_comboMonitor.SetCurSel(0);
    // With no monitor this throws: the layer reports it and the dialog runs on, empty.
    SelectMonitor(0);

    m_listRamp.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    for (int column = 0; column < lumatab::kRampColumnCount; ++column) {
        m_listRamp.InsertColumn(column + 1, lumatab::kRampColumns[column].heading, LVCFMT_RIGHT,
                                lumatab::kRampColumns[column].width);
    }

    RefreshRamp();
    UpdateData(FALSE);
    // The system gives the focus to the first tab stop, the Exit button.
    return TRUE;
}

void CLumatabDlg::SelectMonitor(int index) {
    if (index < 0 || index >= m_arrMonitorNames.GetSize()) {
        AfxThrowInvalidArgException();
    }
    m_strDeviceName = m_arrDeviceNames.GetAt(index);
    m_nSelectedMonitor = index;
}

void CLumatabDlg::RefreshRamp() {
    m_bRampRead = ReadGammaRamp(m_strDeviceName, m_ramp, m_display);
    {
        CRedrawSuspended suspended(m_listRamp);
        ControlRampSink sink(m_listRamp, m_labelRed, m_labelGreen, m_labelBlue);
        if (m_bRampRead) {
            lumatab::RefreshRampTable(m_ramp, m_gammaTable, sink);
        } else {
            // The buffer holds an earlier monitor's ramp (or none): nothing of it is shown.
            sink.DeleteAllRows();
            for (lumatab::Channel ch :
                 {lumatab::Channel::Red, lumatab::Channel::Green, lumatab::Channel::Blue}) {
                sink.SetSummary(ch, "---");
            }
        }
    }
    CheckRampRead();  // tells the user, after the list and the labels were cleared
}

void CLumatabDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.bottom - rect.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hAppIcon);
}

HCURSOR CLumatabDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hAppIcon);
}

void CLumatabDlg::ShowMonitor(int index) {
    SelectMonitor(index);
    RefreshRamp();
    UpdateData(FALSE);
}

void CLumatabDlg::OnSelchangeMonitorCombo() {
    ShowMonitor(m_comboMonitor.GetCurSel());
}

void CLumatabDlg::OnReadAgain() {
    ShowMonitor(m_nSelectedMonitor);
}

BOOL CLumatabDlg::CheckRampRead() {
    // Only a ramp read from the selected monitor leaves the program, never a buffer's stale
    // content.
    if (!m_bRampRead) {
        m_shell.ShowMessage(this, kUnreadRamp, MB_ICONERROR | MB_OK);
    }
    return m_bRampRead;
}

void CLumatabDlg::ExportRampCommand() {
    if (CheckRampRead()) {
        ::ExportRampCommand(this, m_strModuleFolder, m_ramp, m_gammaTable, m_shell);
    }
}

void CLumatabDlg::OnSaveCalibration() {
    if (CheckRampRead()) {
        SaveCalibrationCommand(this, m_strModuleFolder, m_ramp, m_shell);
    }
}

void CLumatabDlg::OnCopyTable() {
    if (CheckRampRead() && !SetClipboardText(m_hWnd, lumatab::RampTableText(m_ramp))) {
        m_shell.ShowMessage(this, "The table could not be put on the clipboard.",
                            MB_ICONERROR | MB_OK);
    }
}

void CLumatabDlg::OnShowCurves() {
    // The menu offers it only for a ramp that was read.
    if (m_bRampRead) {
        CCurvesDlg curves(m_ramp,
                          ReadMonitorProfile(SelectedMonitor(), Win32ColorProfileApi(), m_display),
                          this, m_strModuleFolder, m_shell);
        curves.DoModal();
    }
}

MonitorEntry CLumatabDlg::SelectedMonitor() {
    // The device key, which the profile lookup needs, is not among the listed names: ask again.
    for (const MonitorEntry& monitor : ListMonitors(m_display)) {
        if (std::strcmp(monitor.deviceName, m_strDeviceName) == 0) {
            return monitor;
        }
    }
    return MonitorEntry{CString(), m_strDeviceName, CString()};
}

void CLumatabDlg::OnContextMenu(CWnd* pWnd, POINT point) {
    if (pWnd != &m_listRamp) {
        return;
    }
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: at the list's top left corner.
        point = {0, 0};
        ClientToScreen(m_listRamp.m_hWnd, &point);
    }
    const CResourceMenu menu(IDR_LIST_MENU);
    const HMENU hPopup = menu.SubMenu(0);
    EnableMenuItem(hPopup, ID_SHOW_CURVES, m_bRampRead ? MF_ENABLED : MF_GRAYED);
    TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, nullptr);
}

BOOL CLumatabDlg::PreTranslateMessage(MSG* pMsg) {
    char className[8] = {};
    GetClassNameA(GetFocus(), className, sizeof className);
    return lstrcmpiA(className, "Edit") != 0 && TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg);
}
