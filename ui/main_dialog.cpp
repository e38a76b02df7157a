#include "ui/main_dialog.h"

#include <cstring>
#include <optional>
#include <string>

#include "core/ramp_table.h"
#include "diagnosis/comparison.h"
#include "framework/app.h"
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

// The folder part of a full path, without its trailing backslash.
CString FolderOf(const CString& path) {
    return path.Left(path.ReverseFind('\\'));
}

}  // namespace

CLumatabDlg::CLumatabDlg(CWnd* pParent, CPlatform& platform, CShell& shell)
    : CDialog(IDD_LUMATAB_DIALOG, pParent),
      m_hAppIcon(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_APP_ICON))),
      m_hAccel(LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_ACCELERATORS))),
      m_platform(platform),
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

    EnumerateMonitors(m_arrMonitorNames, m_arrDeviceNames, m_platform.display);
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
    ShowRead(ReadSelectedRamp());
}

RampRead CLumatabDlg::ReadSelectedRamp() {
    try {
        return ReadRamp(SelectedMonitor(), m_platform);
    } catch (const CFailure& failure) {
        m_bRampRead = false;
        m_readFailure = failure;
        // The buffer holds an earlier monitor's ramp (or none): nothing of it is shown.
        const CRedrawSuspended suspended(m_listRamp);
        ControlRampSink sink(m_listRamp, m_labelRed, m_labelGreen, m_labelBlue);
        sink.DeleteAllRows();
        for (lumatab::Channel ch :
             {lumatab::Channel::Red, lumatab::Channel::Green, lumatab::Channel::Blue}) {
            sink.SetSummary(ch, "---");
        }
        throw;
    }
}

void CLumatabDlg::ShowRead(const RampRead& read) {
    m_ramp = read.ramp;
    m_tmRampRead = read.time;
    m_bRampRead = true;
    const CRedrawSuspended suspended(m_listRamp);
    ControlRampSink sink(m_listRamp, m_labelRed, m_labelGreen, m_labelBlue);
    lumatab::RefreshRampTable(m_ramp, m_gammaTable, sink);
}

Monitor CLumatabDlg::SelectedMonitor() const {
    return {m_nSelectedMonitor,
            {m_arrMonitorNames[m_nSelectedMonitor], m_strDeviceName, CString()}};
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

void CLumatabDlg::RequireRampRead() const {
    // Only a ramp read from the selected monitor leaves the program, never a buffer's stale
    // content.
    if (!m_bRampRead) {
        throw m_readFailure;
    }
}

void CLumatabDlg::ExportRampCommand() {
    RequireRampRead();
    ::ExportRampCommand(this, m_strModuleFolder, m_ramp, m_gammaTable, m_shell);
}

void CLumatabDlg::OnSaveCalibration() {
    RequireRampRead();
    SaveCalibrationCommand(this, m_strModuleFolder, m_ramp,
                           CalibrationTimeText(m_platform.clock.Now()), m_shell);
}

void CLumatabDlg::OnCopyTable() {
    RequireRampRead();
    if (!AfxSetClipboardText(m_hWnd, lumatab::RampTableText(m_ramp))) {
        throw CFailure("the table could not be put on the clipboard");
    }
}

void CLumatabDlg::OnShowCurves() {
    RequireRampRead();
    const RampRead read = ReadSelectedRamp();
    std::optional<SYSTEMTIME> listRead;
    if (std::memcmp(&read.ramp, &m_ramp, sizeof m_ramp) != 0) {
        listRead = m_tmRampRead;
        ShowRead(read);
    }
    CCurvesDlg curves(
        read, listRead,
        [this] {
            return CompareWithMonitorProfile(MonitorNow(SelectedMonitor(), m_platform), m_platform);
        },
        this, m_strModuleFolder, m_shell);
    curves.DoModal();
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
