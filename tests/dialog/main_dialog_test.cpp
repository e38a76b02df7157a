// The main dialog run modally in this process and driven from inside its own message loop.
#include "ui/main_dialog.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/csv_export.h"
#include "res/resource.h"
#include "tests/core/ramps.h"
#include "tests/core/recording_sink.h"
#include "tests/export/temp_folder.h"
#include "tests/framework/ui_test_support.h"
#include "tests/platform/x_ramp.h"

namespace {

using lumatab::GammaRamp;

// Monitors with ramps of the test's choosing; a monitor without a ramp cannot be read.
class CFakeMonitors : public CDisplayApi {
public:
    struct Monitor {
        std::string deviceName;
        std::string description;
        bool readable;
        GammaRamp ramp;
    };
    std::vector<Monitor> monitors;
    std::map<std::string, int> reads;  // GetDeviceGammaRamp calls by device name

    BOOL EnumDisplayDevicesA(const char* device, DWORD devNum, DISPLAY_DEVICEA* info,
                             DWORD) override {
        const DWORD cb = info->cb;
        for (std::size_t k = 0; k < monitors.size(); ++k) {
            const Monitor& m = monitors[k];
            if (device == nullptr ? devNum == k : (devNum == 0 && m.deviceName == device)) {
                std::memset(info, 0, sizeof *info);
                info->cb = cb;
                std::strcpy(info->DeviceName, m.deviceName.c_str());
                std::strcpy(info->DeviceString, device ? m.description.c_str() : "Fake Adapter");
                info->StateFlags = DISPLAY_DEVICE_ATTACHED_TO_DESKTOP;
                return TRUE;
            }
        }
        return FALSE;
    }
    HDC CreateDCA(const char*, const char* device, const char*, const DEVMODEA*) override {
        for (std::size_t k = 0; k < monitors.size(); ++k) {
            if (monitors[k].readable && monitors[k].deviceName == device) {
                return reinterpret_cast<HDC>(k + 1);
            }
        }
        return nullptr;
    }
    BOOL GetDeviceGammaRamp(HDC dc, void* ramp) override {
        const Monitor& m = monitors[reinterpret_cast<std::size_t>(dc) - 1];
        ++reads[m.deviceName];
        std::memcpy(ramp, &m.ramp, sizeof m.ramp);
        return TRUE;
    }
    BOOL DeleteDC(HDC) override { return TRUE; }
};

// Answers the Export command's prompts: a chosen file (or Cancel) and recorded messages.
class CFakeShell : public CExportShell {
public:
    std::string chosenPath;  // empty: the user cancels
    std::vector<std::string> messages;

    BOOL GetDocumentsFolder(CString&) override { return FALSE; }
    BOOL RunSaveDialog(const CSaveDialogRequest&, CString& pathName) override {
        pathName = chosenPath.c_str();
        return !chosenPath.empty();
    }
    int ShowMessage(const char* text, const char*, UINT) override {
        messages.push_back(text);
        return IDOK;
    }
};

std::string WindowText(HWND hWnd) {
    char text[256] = {};
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

std::string ItemText(HWND list, int row, int column) {
    char text[64] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<std::vector<std::string>> ListRows(HWND list) {
    std::vector<std::vector<std::string>> rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        rows.emplace_back();
        for (int column = 0; column < lumatab::kRampColumnCount; ++column) {
            rows.back().push_back(ItemText(list, row, column));
        }
    }
    return rows;
}

int ColumnCount(HWND list) {
    const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

// What the dialog's ramp should list: the core's rows and summaries for that ramp.
lumatab::RecordingSink Expected(const GammaRamp& ramp) {
    lumatab::RecordingSink sink;
    lumatab::GammaTable table;
    lumatab::RefreshRampTable(ramp, table, sink);
    return sink;
}

std::string CsvOf(const GammaRamp& ramp, bool refreshed = true) {
    struct StringSink : lumatab::ByteSink {
        std::string bytes;
        void Write(const void* data, std::size_t size) override {
            bytes.append(static_cast<const char*>(data), size);
        }
    } sink;
    lumatab::GammaTable table{};
    if (refreshed) {
        lumatab::BuildGammaTable(ramp, table);
    }
    lumatab::WriteRampCsv(sink, ramp, table);
    return sink.bytes;
}

void Command(HWND dlg, int id, int code) {
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

// The colours and font a label's parent hands the static control when it paints.
struct LabelLook {
    COLORREF text;
    COLORREF background;
    LONG fontHeight;
};

LabelLook LookOf(HWND dlg, int id) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const auto brush =
        reinterpret_cast<HBRUSH>(SendMessageA(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(GetDlgItem(dlg, id))));
    LOGBRUSH logBrush{};
    GetObjectA(brush, sizeof logBrush, &logBrush);
    LOGFONTA logFont{};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof logFont, &logFont);
    const LabelLook look{GetTextColor(dc), logBrush.lbColor, logFont.lfHeight};
    DeleteDC(dc);
    return look;
}

// Wine's own display on the dummy X server, with a ramp loaded into it.
TEST(MainDialog, StartsUpWithTheFirstMonitorsRamp) {
    const GammaRamp ramp = lumatab::ThreeChannelRamp();
    ASSERT_TRUE(lumatab::LoadXRamp(ramp));
    CStringArray names;
    CStringArray devices;
    EnumerateMonitors(names, devices);
    ASSERT_GE(names.GetSize(), 1);

    CLumatabDlg dlg;
    const lumatab::RecordingSink expected = Expected(ramp);
    const INT_PTR result = RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        EXPECT_EQ(WindowText(hDlg), "Lumatab");
        EXPECT_NE(SendMessageA(hDlg, WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_EQ(GetFocus(), GetDlgItem(hDlg, IDCANCEL));

        const HWND combo = GetDlgItem(hDlg, IDC_MONITOR_COMBO);
        EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), names.GetSize());
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(WindowText(combo), std::string(names[0]));

        const HWND list = GetDlgItem(hDlg, IDC_RAMP_LIST);
        ASSERT_EQ(ColumnCount(list), lumatab::kRampColumnCount);
        for (int column = 0; column < lumatab::kRampColumnCount; ++column) {
            char heading[32] = {};
            LVCOLUMNA info{};
            info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            info.pszText = heading;
            info.cchTextMax = sizeof heading;
            SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
            EXPECT_STREQ(heading, lumatab::kRampColumns[column].heading);
            EXPECT_EQ(info.cx, lumatab::kRampColumns[column].width) << heading;
            // The list view keeps its first column left-aligned whatever it is given.
            if (column > 0) {
                EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT) << heading;
            }
        }
        EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT,
                  static_cast<LRESULT>(LVS_EX_FULLROWSELECT));
        EXPECT_EQ(ListRows(list), expected.rows);

        const int labels[] = {IDC_GAMMA_RED, IDC_GAMMA_GREEN, IDC_GAMMA_BLUE};
        const COLORREF colours[] = {RGB(250, 20, 20), RGB(20, 245, 90), RGB(36, 160, 255)};
        for (int ch = 0; ch < 3; ++ch) {
            EXPECT_EQ(WindowText(GetDlgItem(hDlg, labels[ch])), expected.summary[ch]);
            const LabelLook look = LookOf(hDlg, labels[ch]);
            EXPECT_EQ(look.text, colours[ch]);
            EXPECT_EQ(look.background, RGB(56, 56, 56));
            EXPECT_EQ(look.fontHeight, -18);
        }
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(result, IDCANCEL);
}

CFakeMonitors TwoMonitors() {
    CFakeMonitors fake;
    fake.monitors.push_back({"\\\\.\\DISPLAY1", "Same Model", true, lumatab::CalibrationRamp()});
    fake.monitors.push_back({"\\\\.\\DISPLAY2", "Same Model", true, lumatab::ThreeChannelRamp()});
    return fake;
}

TEST(MainDialog, EverySelectionReReadsAndExportsTheMonitorShown) {
    CFakeMonitors display = TwoMonitors();
    CFakeShell shell;
    TempFolder folder;
    shell.chosenPath = folder.File("ramp.csv");
    CLumatabDlg dlg(nullptr, display, shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        const HWND combo = GetDlgItem(hDlg, IDC_MONITOR_COMBO);
        const HWND list = GetDlgItem(hDlg, IDC_RAMP_LIST);
        EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(display.reads["\\\\.\\DISPLAY1"], 1);
        Command(hDlg, IDC_EXPORT, BN_CLICKED);
        EXPECT_EQ(ReadFileBytes(shell.chosenPath), CsvOf(display.monitors[0].ramp));

        SendMessageA(combo, CB_SETCURSEL, 1, 0);
        Command(hDlg, IDC_MONITOR_COMBO, CBN_SELCHANGE);
        EXPECT_EQ(display.reads["\\\\.\\DISPLAY2"], 1);
        EXPECT_EQ(ListRows(list), Expected(display.monitors[1].ramp).rows);
        Command(hDlg, IDC_EXPORT, BN_CLICKED);
        EXPECT_EQ(ReadFileBytes(shell.chosenPath), CsvOf(display.monitors[1].ramp));

        // The same monitor chosen again is read again.
        Command(hDlg, IDC_MONITOR_COMBO, CBN_SELCHANGE);
        EXPECT_EQ(display.reads["\\\\.\\DISPLAY2"], 2);
        EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 256);

        // Cancel in the save dialog writes nothing.
        DeleteFileA(shell.chosenPath.c_str());
        const std::string path = shell.chosenPath;
        shell.chosenPath.clear();
        Command(hDlg, IDC_EXPORT, BN_CLICKED);
        EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(shell.messages,
              (std::vector<std::string>{"The list has been succesfully exported.",
                                        "The list has been succesfully exported."}));
}

TEST(MainDialog, ASelectionOutsideTheListIsReportedAndChangesNothing) {
    CFakeMonitors display = TwoMonitors();
    CFakeShell shell;
    CLumatabDlg dlg(nullptr, display, shell);
    CMessageBoxWatcher watcher;
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        SendMessageA(GetDlgItem(hDlg, IDC_MONITOR_COMBO), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        Command(hDlg, IDC_MONITOR_COMBO, CBN_SELCHANGE);
        PumpMessages(200);
        EXPECT_EQ(display.reads["\\\\.\\DISPLAY1"], 1);
        EXPECT_EQ(display.reads["\\\\.\\DISPLAY2"], 0);
        EXPECT_EQ(ListRows(GetDlgItem(hDlg, IDC_RAMP_LIST)),
                  Expected(display.monitors[0].ramp).rows);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(watcher.m_texts.size(), 1u);
}

TEST(MainDialog, WithNoMonitorItReportsOnceKeepsTheTemplateTextsAndStillExports) {
    CFakeMonitors display;
    CFakeShell shell;
    TempFolder folder;
    shell.chosenPath = folder.File("empty.csv");
    CLumatabDlg dlg(nullptr, display, shell);
    CMessageBoxWatcher watcher;
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        const HWND list = GetDlgItem(hDlg, IDC_RAMP_LIST);
        EXPECT_EQ(SendMessageA(GetDlgItem(hDlg, IDC_MONITOR_COMBO), CB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(ColumnCount(list), 0);
        EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
        EXPECT_EQ(WindowText(GetDlgItem(hDlg, IDC_GAMMA_RED)), "gamma red");
        EXPECT_EQ(WindowText(GetDlgItem(hDlg, IDC_GAMMA_GREEN)), "gamma green");
        EXPECT_EQ(WindowText(GetDlgItem(hDlg, IDC_GAMMA_BLUE)), "gamma blue");
        Command(hDlg, IDC_EXPORT, BN_CLICKED);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(watcher.m_texts.size(), 1u);
    // Nothing was ever read: the zeroed ramp and table, never undefined memory.
    EXPECT_EQ(ReadFileBytes(shell.chosenPath), CsvOf(GammaRamp{}, false));
}

TEST(MainDialog, AnUnreadableRampIsReportedThenTheBufferIsListed) {
    CFakeMonitors display = TwoMonitors();
    display.monitors[1].readable = false;
    CFakeShell shell;
    CLumatabDlg dlg(nullptr, display, shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        EXPECT_TRUE(shell.messages.empty());
        SendMessageA(GetDlgItem(hDlg, IDC_MONITOR_COMBO), CB_SETCURSEL, 1, 0);
        Command(hDlg, IDC_MONITOR_COMBO, CBN_SELCHANGE);
        EXPECT_EQ(shell.messages,
                  (std::vector<std::string>{
                      "The gamma ramp of the selected monitor could not be read."}));
        // The list still shows the last ramp read, as the buffer holds it.
        EXPECT_EQ(ListRows(GetDlgItem(hDlg, IDC_RAMP_LIST)),
                  Expected(display.monitors[0].ramp).rows);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
}

}  // namespace
