#include "ui/main_dialog.h"

#include "core/ramp_table.h"
#include "framework/app.h"
#include "framework/exceptions.h"
#include "res/resource.h"

namespace {

constexpr int kLabelFontHeight = 18;
constexpr COLORREF kRedText = RGB(250, 20, 20);
constexpr COLORREF kGreenText = RGB(20, 245, 90);
constexpr COLORREF kBlueText = RGB(36, 160, 255);
constexpr COLORREF kLabelBackground = RGB(56, 56, 56);

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

constexpr char kUnreadRamp[] = "The gamma ramp of the selected monitor could not be read.";

// The folder part of a full path, without its trailing backslash.
CString FolderOf(const CString& path) {
    return path.Left(path.ReverseFind('\\'));
}

}  // namespace

CLumatabDlg::CLumatabDlg(CWnd* pParent, CDisplayApi& display, CExportShell& exportShell)
    : CDialog(IDD_LUMATAB_DIALOG, pParent),
      m_hAppIcon(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_APP_ICON))),
      m_display(display),
      m_exportShell(exportShell) {}

BEGIN_MESSAGE_MAP(CLumatabDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_CBN_SELCHANGE(IDC_MONITOR_COMBO, &CLumatabDlg::OnSelchangeMonitorCombo)
ON_BN_CLICKED(IDC_EXPORT, &CLumatabDlg::ExportRampCommand)
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

    m_labelRed.SetLabelFontHeight(kLabelFontHeight)
        .SetLabelTextColor(kRedText)
        .SetLabelBkColor(kLabelBackground);
    m_labelGreen.SetLabelFontHeight(kLabelFontHeight)
        .SetLabelTextColor(kGreenText)
        .SetLabelBkColor(kLabelBackground);
    m_labelBlue.SetLabelFontHeight(kLabelFontHeight)
        .SetLabelTextColor(kBlueText)
        .SetLabelBkColor(kLabelBackground);

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
    if (!m_bRampRead) {
        m_exportShell.ShowMessage(kUnreadRamp, "Lumatab", MB_ICONERROR | MB_OK);
    }
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
    dc.DrawIcon(x, y, m_hAppIcon);
}

HCURSOR CLumatabDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hAppIcon);
}

void CLumatabDlg::OnSelchangeMonitorCombo() {
    SelectMonitor(m_comboMonitor.GetCurSel());
    RefreshRamp();
    UpdateData(FALSE);
}

void CLumatabDlg::ExportRampCommand() {
    // Only a ramp read from the selected monitor is exported, never a buffer's stale content.
    if (!m_bRampRead) {
        m_exportShell.ShowMessage(kUnreadRamp, "Lumatab", MB_ICONERROR | MB_OK);
        return;
    }
    ::ExportRampCommand(this, m_strModuleFolder, m_ramp, m_gammaTable, m_exportShell);
}
